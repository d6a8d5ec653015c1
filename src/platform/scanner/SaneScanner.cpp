#include "SaneScanner.h"

#include "Profile.h"
#include "ScannerErrors.h"

#include <sane/sane.h>
#include <sane/saneopts.h>

#include <QByteArray>
#include <cmath>
#include <optional>

namespace {

constexpr double kLegalWidthMm = 215.9;
constexpr double kLegalHeightMm = 355.6;
constexpr int kDpi = 100;

// Everything between sane_init and sane_exit, closed in reverse order whatever way acquire() leaves.
class SaneSession {
public:
    SaneSession() { m_status = sane_init(nullptr, nullptr); }
    ~SaneSession()
    {
        if (m_handle) {
            sane_cancel(m_handle);
            sane_close(m_handle);
        }
        if (m_status == SANE_STATUS_GOOD)
            sane_exit();
    }
    SaneSession(const SaneSession&) = delete;
    SaneSession& operator=(const SaneSession&) = delete;

    SANE_Status initStatus() const { return m_status; }
    SANE_Status open(const QByteArray& name) { return sane_open(name.constData(), &m_handle); }
    SANE_Handle handle() const { return m_handle; }

private:
    SANE_Status m_status;
    SANE_Handle m_handle = nullptr;
};

std::optional<SANE_Int> findOption(SANE_Handle h, const char* name)
{
    SANE_Int count = 0;
    if (sane_control_option(h, 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD)
        return std::nullopt;
    for (SANE_Int i = 1; i < count; ++i) {
        const SANE_Option_Descriptor* d = sane_get_option_descriptor(h, i);
        if (d && d->name && qstrcmp(d->name, name) == 0)
            return i;
    }
    return std::nullopt;
}

bool usable(const SANE_Option_Descriptor* d)
{
    return d && SANE_OPTION_IS_ACTIVE(d->cap) && SANE_OPTION_IS_SETTABLE(d->cap);
}

// A number within the option's constraint: the nearest listed value, or clamped into its range.
double constrain(const SANE_Option_Descriptor* d, double wanted)
{
    auto toDouble = [d](SANE_Word w) { return d->type == SANE_TYPE_FIXED ? SANE_UNFIX(w) : double(w); };
    if (d->constraint_type == SANE_CONSTRAINT_RANGE && d->constraint.range) {
        const double lo = toDouble(d->constraint.range->min);
        const double hi = toDouble(d->constraint.range->max);
        return std::clamp(wanted, lo, hi);
    }
    if (d->constraint_type == SANE_CONSTRAINT_WORD_LIST && d->constraint.word_list) {
        const SANE_Word* list = d->constraint.word_list;
        double best = wanted;
        double bestDistance = -1;
        for (SANE_Int i = 1; i <= list[0]; ++i) {
            const double v = toDouble(list[i]);
            if (bestDistance < 0 || std::abs(v - wanted) < bestDistance) {
                best = v;
                bestDistance = std::abs(v - wanted);
            }
        }
        return best;
    }
    return wanted;
}

// Sets option `name` from text; returns SANE_STATUS_UNSUPPORTED when the device lacks it or it cannot be set now.
SANE_Status setOption(SANE_Handle h, const char* name, const QString& text)
{
    const std::optional<SANE_Int> index = findOption(h, name);
    if (!index)
        return SANE_STATUS_UNSUPPORTED;
    const SANE_Option_Descriptor* d = sane_get_option_descriptor(h, *index);
    if (!usable(d))
        return SANE_STATUS_UNSUPPORTED;
    SANE_Int info = 0;
    switch (d->type) {
    case SANE_TYPE_BOOL: {
        const QString t = text.trimmed().toLower();
        SANE_Bool v = (t == QLatin1String("yes") || t == QLatin1String("true") || t == QLatin1String("1") ||
                       t == QLatin1String("on"))
                          ? SANE_TRUE
                          : SANE_FALSE;
        return sane_control_option(h, *index, SANE_ACTION_SET_VALUE, &v, &info);
    }
    case SANE_TYPE_INT:
    case SANE_TYPE_FIXED: {
        if (d->size != static_cast<SANE_Int>(sizeof(SANE_Word)))
            return SANE_STATUS_UNSUPPORTED; // arrays (gamma tables) are not ours to set
        bool ok = false;
        const double wanted = text.trimmed().toDouble(&ok);
        if (!ok)
            return SANE_STATUS_INVAL;
        const double v = constrain(d, wanted);
        SANE_Word w = d->type == SANE_TYPE_FIXED ? SANE_FIX(v) : static_cast<SANE_Word>(std::lround(v));
        return sane_control_option(h, *index, SANE_ACTION_SET_VALUE, &w, &info);
    }
    case SANE_TYPE_STRING: {
        QByteArray value = text.trimmed().toLocal8Bit();
        if (d->constraint_type == SANE_CONSTRAINT_STRING_LIST && d->constraint.string_list) {
            // Devices spell their choices their own way ("Gray", "Grayscale", "gray"): take the listed spelling.
            for (const SANE_String_Const* s = d->constraint.string_list; *s; ++s) {
                if (QString::fromLocal8Bit(*s).compare(text.trimmed(), Qt::CaseInsensitive) == 0) {
                    value = *s;
                    break;
                }
            }
        }
        QByteArray buffer(std::max<int>(d->size, value.size() + 1), '\0');
        std::copy(value.begin(), value.end(), buffer.begin());
        return sane_control_option(h, *index, SANE_ACTION_SET_VALUE, buffer.data(), &info);
    }
    default:
        return SANE_STATUS_UNSUPPORTED;
    }
}

// The grey mode as this device names it ("Gray", "Grayscale", "Grey"...), if it has one.
QString greyModeName(SANE_Handle h)
{
    const std::optional<SANE_Int> index = findOption(h, SANE_NAME_SCAN_MODE);
    if (!index)
        return {};
    const SANE_Option_Descriptor* d = sane_get_option_descriptor(h, *index);
    if (!usable(d) || d->type != SANE_TYPE_STRING || d->constraint_type != SANE_CONSTRAINT_STRING_LIST)
        return {};
    for (const SANE_String_Const* s = d->constraint.string_list; *s; ++s) {
        const QString name = QString::fromLocal8Bit(*s);
        if (name.contains(QLatin1String("gray"), Qt::CaseInsensitive) ||
            name.contains(QLatin1String("grey"), Qt::CaseInsensitive))
            return name;
    }
    return {};
}

// The legal-size frame in the unit the device measures its scan area in.
void setLegalFrame(SANE_Handle h)
{
    const std::optional<SANE_Int> index = findOption(h, SANE_NAME_SCAN_BR_X);
    const SANE_Option_Descriptor* d = index ? sane_get_option_descriptor(h, *index) : nullptr;
    const bool pixels = d && d->unit == SANE_UNIT_PIXEL;
    setOption(h, SANE_NAME_SCAN_TL_X, QStringLiteral("0"));
    setOption(h, SANE_NAME_SCAN_TL_Y, QStringLiteral("0"));
    setOption(h, SANE_NAME_SCAN_BR_X, QString::number(pixels ? 850.0 : kLegalWidthMm));
    setOption(h, SANE_NAME_SCAN_BR_Y, QString::number(pixels ? 1400.0 : kLegalHeightMm));
}

// The resolution the device will scan at, or 100 when it has no such setting.
double deviceDpi(SANE_Handle h)
{
    const std::optional<SANE_Int> index = findOption(h, SANE_NAME_SCAN_RESOLUTION);
    if (!index)
        return kDpi;
    const SANE_Option_Descriptor* d = sane_get_option_descriptor(h, *index);
    if (!d || !SANE_OPTION_IS_ACTIVE(d->cap) || d->size != static_cast<SANE_Int>(sizeof(SANE_Word)))
        return kDpi;
    SANE_Word w = 0;
    if (sane_control_option(h, *index, SANE_ACTION_GET_VALUE, &w, nullptr) != SANE_STATUS_GOOD)
        return kDpi;
    const double dpi = d->type == SANE_TYPE_FIXED ? SANE_UNFIX(w) : double(w);
    return dpi > 0 ? dpi : kDpi;
}

// A feeder source of the device ("ADF", "Automatic Document Feeder", "ADF Front"...), if it has one.
QString feederSourceName(SANE_Handle h)
{
    const std::optional<SANE_Int> index = findOption(h, SANE_NAME_SCAN_SOURCE);
    if (!index)
        return {};
    const SANE_Option_Descriptor* d = sane_get_option_descriptor(h, *index);
    if (!usable(d) || d->type != SANE_TYPE_STRING || d->constraint_type != SANE_CONSTRAINT_STRING_LIST)
        return {};
    for (const SANE_String_Const* s = d->constraint.string_list; *s; ++s) {
        const QString name = QString::fromLocal8Bit(*s);
        if (name.contains(QLatin1String("adf"), Qt::CaseInsensitive) ||
            name.contains(QLatin1String("feeder"), Qt::CaseInsensitive))
            return name;
    }
    return {};
}

QImage toImage(const SANE_Parameters& p, const QByteArray& data)
{
    const int lines = p.bytes_per_line > 0 ? static_cast<int>(data.size() / p.bytes_per_line) : 0;
    if (lines <= 0 || p.pixels_per_line <= 0)
        return {};
    QImage image(p.pixels_per_line, lines, QImage::Format_Grayscale8);
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    for (int y = 0; y < lines; ++y) {
        const uchar* in = bytes + static_cast<qsizetype>(y) * p.bytes_per_line;
        uchar* out = image.scanLine(y);
        for (int x = 0; x < p.pixels_per_line; ++x) {
            if (p.format == SANE_FRAME_GRAY) {
                if (p.depth == 1)
                    out[x] = (in[x / 8] & (0x80 >> (x % 8))) ? 0 : 255; // a set bit is black
                else if (p.depth == 8)
                    out[x] = in[x];
                else
                    out[x] = static_cast<uchar>(reinterpret_cast<const uint16_t*>(in)[x] >> 8);
            } else {
                int rgb[3];
                for (int c = 0; c < 3; ++c)
                    rgb[c] = p.depth == 8 ? in[3 * x + c] : reinterpret_cast<const uint16_t*>(in)[3 * x + c] >> 8;
                out[x] = static_cast<uchar>(qGray(rgb[0], rgb[1], rgb[2]));
            }
        }
    }
    return image;
}

} // namespace

SaneSettings SaneSettings::fromProfile(const Profile& settings)
{
    SaneSettings s;
    s.device = settings.read(QLatin1String(Section), QLatin1String(DeviceKey), QString(), 256).trimmed();
    s.options = parseOptions(settings.read(QLatin1String(Section), QLatin1String(OptionsKey), QString(), 1024));
    return s;
}

QList<QPair<QString, QString>> SaneSettings::parseOptions(const QString& text)
{
    QList<QPair<QString, QString>> out;
    for (const QString& part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype eq = part.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        out.append({part.left(eq).trimmed(), part.mid(eq + 1).trimmed()});
    }
    return out;
}

int SaneScanner::errorNumberForStatus(int saneStatus)
{
    using namespace ScannerErrors;
    switch (saneStatus) {
    case SANE_STATUS_UNSUPPORTED:
        return ScannerUnsupported;
    case SANE_STATUS_CANCELLED:
        return TwainCancelled;
    case SANE_STATUS_DEVICE_BUSY:
        return ScannerBusy;
    case SANE_STATUS_INVAL:
        return ScannerInvalidSetting;
    case SANE_STATUS_EOF:
        return ScannerNoDocument;
    case SANE_STATUS_JAMMED:
        return ScannerJammed;
    case SANE_STATUS_NO_DOCS:
        return ScannerNoDocument;
    case SANE_STATUS_COVER_OPEN:
        return ScannerCoverOpen;
    case SANE_STATUS_IO_ERROR:
        return ScannerIoError;
    case SANE_STATUS_NO_MEM:
        return TwainNotEnoughMemory;
    case SANE_STATUS_ACCESS_DENIED:
        return ScannerAccessDenied;
    default:
        return ScannerLibraryFailed;
    }
}

AcquiredPage SaneScanner::acquire()
{
    AcquiredPage first = AcquiredPage::failure(ScannerErrors::ScannerNoDocument, QString());
    acquirePages(false, [&first](const AcquiredPage& page) {
        first = page;
        return false;
    });
    return first;
}

void SaneScanner::acquireAll(const std::function<bool(const AcquiredPage&)>& take)
{
    acquirePages(true, take);
}

void SaneScanner::acquirePages(bool feeder, const std::function<bool(const AcquiredPage&)>& take)
{
    using namespace ScannerErrors;
    SaneSession session;
    if (session.initStatus() != SANE_STATUS_GOOD) {
        take(AcquiredPage::failure(ScannerLibraryFailed,
                                   QStringLiteral("The scanner library (SANE) could not be started: %1.")
                                       .arg(QString::fromLocal8Bit(sane_strstatus(session.initStatus())))));
        return;
    }

    QByteArray name = m_settings.device.toLocal8Bit();
    const bool named = !name.isEmpty();
    if (!named) {
        const SANE_Device** devices = nullptr;
        const SANE_Status st = sane_get_devices(&devices, SANE_FALSE);
        if (st != SANE_STATUS_GOOD) {
            take(AcquiredPage::failure(errorNumberForStatus(st),
                                       QStringLiteral("The list of scanners could not be read: %1.")
                                           .arg(QString::fromLocal8Bit(sane_strstatus(st)))));
            return;
        }
        if (!devices || !devices[0]) {
            take(AcquiredPage::failure(
                TwainNoDataSource,
                QStringLiteral("No scanner was found. Connect and switch on the scanner, or name it in the settings "
                               "file Quillan.ini, section [%1], key %2.")
                    .arg(QLatin1String(SaneSettings::Section), QLatin1String(SaneSettings::DeviceKey))));
            return;
        }
        name = devices[0]->name;
    }
    const QString shownName = QString::fromLocal8Bit(name);
    auto fail = [&](SANE_Status st, const QString& step) {
        return AcquiredPage::failure(errorNumberForStatus(st),
                                     QStringLiteral("The scanner %1 reported \"%2\" %3.")
                                         .arg(shownName, QString::fromLocal8Bit(sane_strstatus(st)), step));
    };

    SANE_Status st = session.open(name);
    if (st != SANE_STATUS_GOOD) {
        if (named && st == SANE_STATUS_INVAL)
            take(AcquiredPage::failure(
                ScannerNotFound,
                QStringLiteral("The scanner %1 named in Quillan.ini (section [%2], key %3) was not found.")
                    .arg(shownName, QLatin1String(SaneSettings::Section), QLatin1String(SaneSettings::DeviceKey))));
        else
            take(fail(st, QStringLiteral("when it was opened")));
        return;
    }
    SANE_Handle h = session.handle();

    // Our settings first, each skipped when the device lacks it; then the office's own from the settings file.
    const QString grey = greyModeName(h);
    if (!grey.isEmpty())
        setOption(h, SANE_NAME_SCAN_MODE, grey);
    setOption(h, SANE_NAME_BIT_DEPTH, QStringLiteral("8"));
    setOption(h, SANE_NAME_SCAN_RESOLUTION, QString::number(kDpi));
    setLegalFrame(h);
    // A batch comes from the feeder where there is one; a flatbed would give the same page again and again.
    const QString feederSource = feeder ? feederSourceName(h) : QString();
    if (!feederSource.isEmpty())
        setOption(h, SANE_NAME_SCAN_SOURCE, feederSource);
    for (const auto& [option, value] : m_settings.options) {
        const SANE_Status os = setOption(h, option.toLocal8Bit().constData(), value);
        if (os == SANE_STATUS_UNSUPPORTED) {
            take(AcquiredPage::failure(
                ScannerInvalidSetting,
                QStringLiteral("The scanner %1 has no setting \"%2\" that can be set now (Quillan.ini, section [%3], "
                               "key %4).")
                    .arg(shownName, option, QLatin1String(SaneSettings::Section),
                         QLatin1String(SaneSettings::OptionsKey))));
            return;
        }
        if (os != SANE_STATUS_GOOD) {
            take(fail(os, QStringLiteral("when its setting %1 was set to \"%2\"").arg(option, value)));
            return;
        }
    }
    const double dpi = deviceDpi(h);
    const bool several = feeder && !feederSource.isEmpty();

    for (int n = 0;; ++n) {
        st = sane_start(h);
        if (n == 0 && st == SANE_STATUS_EOF) // some feeders report the end of the previous batch once first
            st = sane_start(h);
        if (n > 0 && (st == SANE_STATUS_NO_DOCS || st == SANE_STATUS_EOF))
            return; // the feeder is empty
        if (st != SANE_STATUS_GOOD) {
            take(fail(st, QStringLiteral("when the scan was started")));
            return;
        }
        const AcquiredPage page = readPage(h, shownName, dpi);
        if (!take(page) || !page.ok() || !several)
            return;
    }
}

AcquiredPage SaneScanner::readPage(void* handle, const QString& shownName, double dpi)
{
    using namespace ScannerErrors;
    const SANE_Handle h = handle;
    auto fail = [&](SANE_Status st, const QString& step) {
        return AcquiredPage::failure(errorNumberForStatus(st),
                                     QStringLiteral("The scanner %1 reported \"%2\" %3.")
                                         .arg(shownName, QString::fromLocal8Bit(sane_strstatus(st)), step));
    };
    SANE_Parameters p{};
    SANE_Status st = sane_get_parameters(h, &p);
    if (st != SANE_STATUS_GOOD)
        return fail(st, QStringLiteral("when the page size was asked for"));
    const bool formatOk = (p.format == SANE_FRAME_GRAY && (p.depth == 1 || p.depth == 8 || p.depth == 16)) ||
                          (p.format == SANE_FRAME_RGB && (p.depth == 8 || p.depth == 16));
    if (!formatOk || !p.last_frame)
        return AcquiredPage::failure(
            ScannerImageFormat,
            QStringLiteral("The scanner %1 sends pages in a form this program cannot read (frame %2, %3 bits). Set "
                           "it to grey or colour in one pass.")
                .arg(shownName)
                .arg(p.format)
                .arg(p.depth));

    QByteArray data;
    QByteArray buffer(64 * 1024, '\0');
    // A page larger than any legal page at 600 dpi in colour is not read on (a device that never ends its frame).
    constexpr qsizetype kMostBytes = qsizetype(8.5 * 600) * (14 * 600) * 3 * 2;
    for (;;) {
        SANE_Int length = 0;
        st = sane_read(h, reinterpret_cast<SANE_Byte*>(buffer.data()), static_cast<SANE_Int>(buffer.size()), &length);
        if (st == SANE_STATUS_EOF)
            break;
        if (st != SANE_STATUS_GOOD)
            return fail(st, QStringLiteral("while the page was read"));
        if (data.size() + length > kMostBytes)
            return AcquiredPage::failure(
                ScannerImageFormat,
                QStringLiteral("The scanner %1 sent a page larger than any answer sheet.").arg(shownName));
        data.append(buffer.constData(), length);
    }

    QImage image = toImage(p, data);
    if (image.isNull())
        return AcquiredPage::failure(ScannerEmptyPage,
                                     QStringLiteral("The scanner %1 sent an empty page.").arg(shownName));
    // A glass or feeder smaller than a legal page gives a smaller page without a word: refuse it here, where the
    // frame that was asked for is known.
    const double widthMm = image.width() * 25.4 / dpi;
    const double heightMm = image.height() * 25.4 / dpi;
    if (widthMm < 0.97 * kLegalWidthMm || heightMm < 0.97 * kLegalHeightMm)
        return AcquiredPage::failure(
            ScannerPageTooSmall,
            QStringLiteral("The scanner %1 returned a page of %2 x %3 mm where a legal-size page (216 x 356 mm) was "
                           "asked for: its glass or feeder is smaller than the answer sheet. Scan the sheet on a "
                           "scanner that takes legal-size pages.")
                .arg(shownName)
                .arg(qRound(widthMm))
                .arg(qRound(heightMm)));
    const int dpm = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
    return {image, 0, QString(), dpi};
}
