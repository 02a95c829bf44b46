// The shell's "open" verb as the program uses it: help pages (local files), the
// maker's web site (with a scheme), e-mail addresses (mailto:) and a web address
// written without a scheme ("www.example.net"), each turned into the URL that
// the desktop's handler opens.
#pragma once

#include <QString>
#include <QUrl>

namespace ui {

QUrl ShellTargetUrl(const QString& target);
// Opens `target` with the desktop's handler; a failure is not reported.
void ShellOpen(const QString& target);

}  // namespace ui
