#include "platform/shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QRegularExpression>

namespace ui {

QUrl ShellTargetUrl(const QString& target) {
  const QString t = target.trimmed();
  if (t.isEmpty()) return {};
  // A scheme of two letters or more ("c:" is a drive, not a scheme).
  static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
  if (scheme.match(t).hasMatch()) return QUrl(t);
  // A bare host name, as the shell accepts it: what is not an existing file and
  // starts like a web address goes to the browser.
  if (t.startsWith(QLatin1String("www."), Qt::CaseInsensitive) && !QFileInfo::exists(t))
    return QUrl(QStringLiteral("http://") + t);
  return QUrl::fromLocalFile(QFileInfo(t).absoluteFilePath());
}

void ShellOpen(const QString& target) {
  const QUrl url = ShellTargetUrl(target);
  if (url.isValid()) QDesktopServices::openUrl(url);
}

}  // namespace ui
