#pragma once
// The record a new client starts from when its client information is accepted.

#include "ClientRecord.h"

#include <QDate>

// Dates in records are "mm/dd/yyyy".
QString RecordDate(const QDate& date);

// A blank record with every answer "0", EditCount "0", NameDeleted "0" and TestDate `today`.
ClientRecord NewClientRecord(const QDate& today);
