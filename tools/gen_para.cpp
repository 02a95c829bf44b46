// Writes Dane/para.txt, the saturation water-vapour pressure table, from the
// EN ISO 13788 formulas: over water at 0 degC and above, over ice below. One
// whole-Pa value per 0.1 degC from 30.9 down to -40.0 degC, rounded half away
// from zero (0 degC, exactly 610.5 Pa, gives 611). Windows-1250/ASCII, CR LF.
// The values below -20.9 degC come last, so that the ones above keep their places.
//
// Usage: gen_para <output file>
#include <QByteArray>
#include <QString>
#include <cmath>
#include <cstdio>

#include "calc/textfile.h"

namespace {

double SaturationFormula(double t) {
  return t >= 0 ? 610.5 * std::exp(17.269 * t / (237.3 + t)) : 610.5 * std::exp(21.875 * t / (265.5 + t));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output file>\n", argv[0]);
    return 2;
  }
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out) {
    std::perror(argv[1]);
    return 1;
  }
  // The comment is Polish, so it goes out in the data files' code page.
  const QByteArray header = veltor::ToCp1250(QString::fromUtf8(
      "; Ciśnienie pary wodnej nasyconej [Pa] co 0,1 °C, od 30,9 °C w dół do -40,0 °C (710 wartości).\r\n"
      "; Źródło: EN ISO 13788, wzory na ciśnienie nasycenia psat:\r\n"
      ";   t >= 0 °C (nad wodą):  psat = 610,5 * exp(17,269 * t / (237,3 + t))\r\n"
      ";   t <  0 °C (nad lodem): psat = 610,5 * exp(21,875 * t / (265,5 + t))\r\n"
      "; Wartości w pełnych Pa, zaokrąglone połówkami od zera (0 °C: 610,5 Pa -> 611).\r\n"));
  std::fwrite(header.constData(), 1, header.size(), out);
  for (int tenths = 309; tenths >= -400; --tenths) {
    std::fprintf(out, "%ld\r\n", std::lround(SaturationFormula(tenths / 10.0)));
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
