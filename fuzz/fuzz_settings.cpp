// Reads arbitrary bytes as the settings file, the keys the program reads, then sets the data location's key: it must
// read back as written, and no other setting may change.

#include "Profile.h"

#include <cstdint>

namespace {

struct Key {
    const char* section;
    const char* key;
    int buffer;
};
// Every key the program reads, with the buffer it reads it into.
constexpr Key Keys[] = {{"Path", "FilePath", 50},    {"Path", "SndPath", 50},    {"Settings", "NumLock", 10},
                        {"Settings", "Brand", 2},    {"Scanner", "Device", 256}, {"Scanner", "Options", 1024},
                        {"Options", "SystemDB", 300}};

QString value(QByteArrayView file, const Key& k)
{
    return Profile::ReadValue(file, QLatin1String(k.section), QLatin1String(k.key), QStringLiteral("?"), k.buffer);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView file(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString before[std::size(Keys)];
    for (size_t i = 0; i < std::size(Keys); ++i) {
        before[i] = value(file, Keys[i]);
        if (before[i].size() > Keys[i].buffer - 1)
            __builtin_trap();
    }
    const QString location = QStringLiteral("/media/usb0/clients");
    const QByteArray after = Profile::WithValue(file, QStringLiteral("Path"), QStringLiteral("FilePath"), location);
    if (value(after, Keys[0]) != location)
        __builtin_trap();
    for (size_t i = 1; i < std::size(Keys); ++i) {
        if (value(after, Keys[i]) != before[i])
            __builtin_trap();
    }
    return 0;
}
