#include "frmAbout.h"

#include "Brand.h"
#include "MenuButtons.h"
#include "Panel3D.h"
#include "WindowRoutines.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int kStripTwips = 560;
constexpr int kStepTwips = 50;
constexpr int kHideBelowTwips = 61;
} // namespace

frmAbout::frmAbout(const QString& brandCode, QWidget* parent) : QDialog(parent), m_brandCode(brandCode)
{
    setObjectName(QStringLiteral("frmAbout"));
    m_pnl1 = new Panel3D(QStringLiteral("pnl1"), this);
    QFont title = font();
    title.setPointSize(title.pointSize() + 6);
    title.setBold(true);
    m_pnl1->captionLabel()->setFont(title);
    m_pnl1->captionLabel()->setAlignment(Qt::AlignCenter);

    // The logo sits under six cover strips that shrink on each tick, wiping it in.
    auto* logoArea = new QWidget(this);
    const int stripPx = TwipsToPixelsY(kStripTwips, this);
    const QSize logoSize(TwipsToPixelsX(4200, this), stripPx * 6);
    logoArea->setFixedSize(logoSize);
    m_logo = new QLabel(logoArea);
    m_logo->setObjectName(QStringLiteral("imgNWKLogo"));
    m_logo->setPixmap(BrandLogo(brandCode, logoSize));
    m_logo->setGeometry(QRect(QPoint(0, 0), logoSize));
    m_logo->setVisible(false);
    for (int i = 0; i < 6; ++i) {
        m_strips[i] = new QWidget(logoArea);
        m_strips[i]->setObjectName(QStringLiteral("Picture2_%1").arg(i));
        SetBackColor(m_strips[i], palette().color(QPalette::Window));
        m_strips[i]->setGeometry(0, i * stripPx, logoSize.width(), stripPx);
        m_strips[i]->raise();
    }

    const BrandInfo brand = BrandFor(brandCode);
    m_ssPanel1 = new Panel3D(QStringLiteral("SSPanel1"), this);
    m_ssPanel4 = new Panel3D(QStringLiteral("SSPanel4"), this);
    m_ssPanel5 = new Panel3D(QStringLiteral("SSPanel5"), this);
    m_ssPanel1->setCaption(brand.company);
    m_ssPanel4->setCaption(QStringLiteral("Website address: ") + brand.website);
    m_ssPanel5->setCaption(QStringLiteral("E-mail address: ") + brand.email);

    m_menu = new MenuButtons(this, nullptr);
    m_menu->add(QStringLiteral("OK"), QString(), [this] { Unload(); });
    m_menu->button(0)->setObjectName(QStringLiteral("cmdOK"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pnl1);
    layout->addWidget(logoArea, 0, Qt::AlignHCenter);
    layout->addWidget(m_ssPanel1);
    layout->addWidget(m_ssPanel4);
    layout->addWidget(m_ssPanel5);
    layout->addWidget(m_menu->panel(0), 0, Qt::AlignHCenter);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(10);
    connect(m_timer, &QTimer::timeout, this, &frmAbout::tick);
    m_timer->start();
}

void frmAbout::showEvent(QShowEvent* e)
{
    if (!m_loaded) {
        m_loaded = true;
        if (Splash) {
            m_menu->panel(0)->setVisible(false);
            setWindowTitle(QStringLiteral("Initializing..."));
        } else {
            setWindowTitle(QStringLiteral("About VLT"));
            m_fadeOut = false;
        }
        m_pnl1->setCaption(QStringLiteral("Veltrane v4.01"));
        m_menu->panel(0)->setBackColor(HighlightColor);
    }
    QDialog::showEvent(e);
    CenterForm(this);
}

void frmAbout::tick()
{
    if (m_fadeOut) {
        FadeDone = true;
        return;
    }
    m_logo->setVisible(true);
    // Heights are kept in twips so the wipe takes the same ten ticks at any screen resolution.
    m_stripTwips -= kStepTwips;
    for (QWidget* s : m_strips)
        s->resize(s->width(), TwipsToPixelsY(m_stripTwips, this));
    if (m_stripTwips < kHideBelowTwips) {
        for (QWidget* s : m_strips)
            s->setVisible(false);
        m_timer->stop();
        FadeDone = true;
    }
}

void frmAbout::Unload()
{
    if (Splash) {
        m_fadeOut = true;
        m_timer->setInterval(HoldTickMs);
        for (int i = 0; i < 4; ++i) {
            m_timer->start();
            FadeDone = false;
            while (!FadeDone)
                QApplication::processEvents(QEventLoop::WaitForMoreEvents);
            QApplication::processEvents();
        }
        m_timer->stop();
    }
    if (isModal() || result() == 0)
        accept();
    close();
}
