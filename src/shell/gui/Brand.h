#pragma once
// The two brands' names, contact lines and logos.

#include <QPixmap>
#include <QString>

struct BrandInfo {
    QString company;
    QString website;
    QString email;
};

BrandInfo BrandFor(const QString& brandCode);
QPixmap BrandLogo(const QString& brandCode, const QSize& size);
