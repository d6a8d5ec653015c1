#pragma once
// A raised panel with a background colour and an optional one-line caption (help lines, button frames, titles).

#include <QFrame>

class QLabel;

class Panel3D : public QFrame {
    Q_OBJECT
public:
    explicit Panel3D(const QString& name, QWidget* parent = nullptr);

    void setBackColor(const QColor& c);
    QColor backColor() const;
    void setCaption(const QString& text);
    QString caption() const;
    QLabel* captionLabel();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QLabel* m_label = nullptr;
};
