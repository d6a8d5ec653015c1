#pragma once
// Acquires pages through the SANE scanner library: the first scanner found, or the one the settings file names;
// 100 dpi, grey, a legal-size frame, each setting skipped when the device lacks it. A page smaller than that frame
// is refused.

#include "Scanner.h"

#include <QList>
#include <QPair>

class Profile;

struct SaneSettings {
    // Settings file section and keys: [Scanner] Device=<SANE device name, e.g. "epson2:libusb:001:004">, and
    // Options=<name=value;name=value> for device options applied after ours (e.g. "source=ADF Front").
    static constexpr const char* Section = "Scanner";
    static constexpr const char* DeviceKey = "Device";
    static constexpr const char* OptionsKey = "Options";

    QString device; // empty: the first scanner found
    QList<QPair<QString, QString>> options;

    static SaneSettings fromProfile(const Profile& settings);
    // "a=1; b = x" as pairs; entries without "=" are dropped.
    static QList<QPair<QString, QString>> parseOptions(const QString& text);
};

class SaneScanner final : public Scanner {
public:
    explicit SaneScanner(SaneSettings settings) : m_settings(std::move(settings)) {}
    AcquiredPage acquire() override;
    // Every page of the feeder (the device's feeder source is chosen when it has one), until it is empty.
    void acquireAll(const std::function<bool(const AcquiredPage&)>& take) override;

    // The error number (ScannerErrors.h) for a SANE status code.
    static int errorNumberForStatus(int saneStatus);

private:
    void acquirePages(bool feeder, const std::function<bool(const AcquiredPage&)>& take);
    static AcquiredPage readPage(void* handle, const QString& shownName, double dpi);

    SaneSettings m_settings;
};
