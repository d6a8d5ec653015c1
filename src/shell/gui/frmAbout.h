#pragma once
// The about window, which also serves as the start-up splash with its wipe-in logo.

#include <QDialog>

class MenuButtons;
class Panel3D;
class QLabel;
class QTimer;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout(const QString& brandCode, QWidget* parent = nullptr);

    // Set before the window is shown.
    bool Splash = false;
    bool FadeDone = false;
    // Length of one hold tick when the splash is unloaded (a test may shorten it).
    int HoldTickMs = 1000;

    // Closes the window; as a splash it first stays on screen for four more hold ticks.
    void Unload();

    QTimer* Timer1() const { return m_timer; }
    QWidget* strip(int i) const { return m_strips[i]; }
    int stripTwips() const { return m_stripTwips; }
    MenuButtons& menu() { return *m_menu; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void tick();

    QString m_brandCode;
    bool m_fadeOut = false;
    bool m_loaded = false;
    int m_stripTwips = 560;
    Panel3D* m_pnl1;
    QLabel* m_logo;
    QWidget* m_strips[6];
    Panel3D* m_ssPanel1;
    Panel3D* m_ssPanel4;
    Panel3D* m_ssPanel5;
    MenuButtons* m_menu;
    QTimer* m_timer;
};
