// The results writer against Qt's own JSON writer, the bytes batch mode
// printed before and that users' scripts read.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "batch/jsonout.h"

namespace {

QByteArray QtNumber(double d) {
  return QJsonDocument(QJsonArray{d}).toJson(QJsonDocument::Compact).mid(1).chopped(1);
}

QByteArray OurNumber(double d) {
  QByteArray out;
  batch::AppendNumber(out, d);
  return out;
}

TEST(JsonOut, NumbersAsQtPrintsThem) {
  const double kEdges[] = {0.0, -0.0, 1.0, -1.0, 0.1, 0.0001, 0.00001, 1e-5, 12345.0, 99999.0, 100000.0,
                           123456.0, 1e15, 1e16, 1e21, 1e22, 5e-324, 2.2250738585072014e-308,
                           std::numeric_limits<double>::max(), 0.30000000000000004, 19.30835734870317,
                           1.5e300, -2.5e-7, 100.0, 1e-4, 1.25e5, 20.0, 3.0e6};
  for (double d : kEdges) EXPECT_EQ(OurNumber(d), QtNumber(d)) << d;
  // Random bit patterns cover every magnitude; random short decimals, the
  // figures a wall really gives.
  std::mt19937_64 random(20261208);
  for (int i = 0; i < 200000; ++i) {
    std::uint64_t bits = random();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    if (!std::isfinite(d)) continue;
    ASSERT_EQ(OurNumber(d), QtNumber(d)) << d;
    const double decimal = double(random() % 2000001) / std::pow(10.0, double(random() % 12)) - 1000;
    ASSERT_EQ(OurNumber(decimal), QtNumber(decimal)) << decimal;
  }
  EXPECT_EQ(OurNumber(std::nan("")), "null");
  EXPECT_EQ(OurNumber(-std::numeric_limits<double>::infinity()), "null");
}

TEST(JsonOut, DocumentAsQtIndentsIt) {
  QString everyKind = QStringLiteral("Ściana \"SZ-1\" \\ tab\t nl\n cr\r bs\b ff\f ");
  for (char16_t c = 0; c < 0x20; ++c) everyKind += QChar(c);
  everyKind += QChar(0x7f) + QStringLiteral("€ 😀 ") + QChar(0xd800) + QChar(u'x') + QChar(0xdc00);

  batch::OutValue layer = batch::OutValue::Object();
  layer.insert("name", everyKind);
  layer.insert("d", 0.25);
  layer.insert("lambda", batch::OutValue());
  batch::OutValue layers = batch::OutValue::Array();
  layers.append(layer);
  layers.append(batch::OutValue::Object());
  batch::OutValue ours = batch::OutValue::Object();
  ours.insert("layers", layers);
  ours.insert("Umax", 0.2);
  ours.insert("meets", false);
  ours.insert("decisive_month", 3);
  ours.insert("warnings", batch::OutValue::Array());
  ours.insert("R", 1.0);
  ours.insert("R", 7.5);  // replaces

  const QJsonObject qt{{"layers", QJsonArray{QJsonObject{{"name", everyKind}, {"d", 0.25}, {"lambda", QJsonValue()}},
                                             QJsonObject{}}},
                       {"Umax", 0.2},
                       {"meets", false},
                       {"decisive_month", 3},
                       {"warnings", QJsonArray{}},
                       {"R", 7.5}};
  EXPECT_EQ(batch::ToJson(ours), QJsonDocument(qt).toJson(QJsonDocument::Indented));
  ASSERT_NE(ours.find("R"), nullptr);
  EXPECT_EQ(ours.find("R")->toDouble(), 7.5);
  EXPECT_EQ(ours.find("absent"), nullptr);
}

}  // namespace
