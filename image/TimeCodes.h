#pragma once
// (interim: replaced by the full time-code module)
#include <QString>
namespace nolt {
int DecodeTime(int b);
QString displayTime(int x);
QString displayTime2(int x);
int getTime(const QString& s);
int getTime2(const QString& s);
} // namespace nolt
