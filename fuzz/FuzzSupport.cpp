#include "FuzzSupport.h"

#include "IRCText.h"
#include "MiniArtwork.h"
#include "PersonaLib.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {
// In memory (tmpfs) where the system has one: the targets that go through files write one per input.
QTemporaryDir &ScratchDir()
{
    // Removed with its files when the run ends.
    static const std::unique_ptr<QTemporaryDir> dir = [] {
        auto inMemory = std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/chattle_fuzz-XXXXXX"));
        return inMemory->isValid() ? std::move(inMemory) : std::make_unique<QTemporaryDir>();
    }();
    if (!dir->isValid())
        std::abort();
    return *dir;
}

volatile long long Sink = 0;
} // namespace

QString FuzzText(const std::uint8_t *data, std::size_t size)
{
    return DecodeIRCLine(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
}

void ForEachChunk(const std::uint8_t *data, std::size_t size, std::size_t chunk,
                  const std::function<void(const QByteArray &)> &receive)
{
    for (std::size_t at = 0; at < size; at += chunk) {
        const std::size_t count = std::min(chunk, size - at);
        receive(QByteArray(reinterpret_cast<const char *>(data + at), static_cast<qsizetype>(count)));
    }
}

QString WriteScratchFile(const QString &name, const std::uint8_t *data, std::size_t size)
{
    const QString path = ScratchDir().filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size)) != static_cast<qint64>(size))
        std::abort();
    return path;
}

TPersonaLib &MiniLibrary()
{
    static TPersonaLib *library = [] {
        const QString dir = ScratchDir().filePath(QStringLiteral("Artwork"));
        WriteMiniArtwork(dir);
        return new TPersonaLib(dir);
    }();
    return *library;
}

void DeliverPostedEvents()
{
    // Deferred deletions go only when asked for by type; the general call then clears the list.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::sendPostedEvents();
}

void Touch(const QString &text)
{
    long long sum = text.size();
    for (QChar c : text)
        sum += c.unicode();
    Sink = Sink + sum;
}

void Touch(long long value) { Sink = Sink + value; }

// Caches that fontconfig fills on the first lookups of a font and keeps for the whole run.
extern "C" const char *__lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

#ifdef CHATTLE_FUZZ_ENGINE
// Speed over report detail for the long runs: recording a two-frame stack for every allocation, not
// thirty, no filling of fresh blocks, and a smaller quarantine nearly halve the allocator's share. A
// finding replayed through <target>_replay of the test build, or with ASAN_OPTIONS set, gets the full
// report.
extern "C" const char *__asan_default_options()
{
    return "malloc_context_size=2:max_malloc_fill_size=0:quarantine_size_mb=64";
}
#endif
