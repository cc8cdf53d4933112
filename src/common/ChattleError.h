#pragma once
// Chattle's own exception types. Everything the program throws derives from EChattleError.
#include <stdexcept>
#include <string>

#include <QString>

class EChattleError : public std::runtime_error {
public:
    explicit EChattleError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
    // Set by the first layer that logged this error, so that the layers above do not log it again.
    mutable bool Logged = false;
};

// A number or colour text that does not convert.
class EConvertError : public EChattleError {
public:
    using EChattleError::EChattleError;
};

// A malformed protocol line, abandoned by whoever was reading it.
class EProtocolError : public EChattleError {
public:
    using EChattleError::EChattleError;
};

// A file that is missing, unreadable or malformed (images, profiles, ini files).
class EFileError : public EChattleError {
public:
    using EChattleError::EChattleError;
};

// A socket error that the error handler left standing (non-zero code).
class ESocketError : public EChattleError {
public:
    ESocketError(const QString &message, int code) : EChattleError(message), ErrorCode(code) {}
    int ErrorCode;
};
