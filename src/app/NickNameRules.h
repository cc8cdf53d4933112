#pragma once
// What a character's nickname must be: it names the profile file and is the nick sent to the server.
#include <QString>

// The message that refuses Nick, or an empty text when it is fine. In order: at least 3 characters,
// no blank, no control character, none of / \ , * ? ! @, and no "#", ":" or digit at the start.
QString NickNameFault(const QString &Nick);
