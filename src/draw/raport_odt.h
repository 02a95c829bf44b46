// The designer's report as an ODT an office suite lays out as the PDF is laid
// out. Qt's ODF writer gives the text, the tables and the pictures, but its
// column widths are percentages that ODF does not know (an office suite then
// makes every column as wide) and it writes no page styles. Finish unpacks
// its package, gives the columns relative widths and the tables the text's
// width, adds styles.xml with A4 pages and a footer "strona n z m" with the
// date, and packs it again.
#pragma once

#include <QByteArray>
#include <QString>

namespace designreport {

// `odt`: the package Qt wrote; `footer`: the footer's left part (program,
// version, date). Raises veltor::DataError when the package is not one Qt
// writes (which would be a fault of ours).
QByteArray FinishOdt(const QByteArray& odt, const QString& footer);

}  // namespace designreport
