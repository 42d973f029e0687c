#include "prompt_links.h"

#include <QStringList>

namespace qrvwindow {

QString promptWithKeywordLinks(const QString& prompt) {
  const qsizetype open = prompt.lastIndexOf('[');
  const qsizetype close = open < 0 ? -1 : prompt.indexOf(']', open);
  if (close < 0) return prompt.toHtmlEscaped();
  QStringList links;
  for (const QString& keyword : prompt.mid(open + 1, close - open - 1).split('/')) {
    const QString k = keyword.trimmed();
    // An option with blanks inside is no single keyword to type.
    if (k.isEmpty() || k.contains(' ')) return prompt.toHtmlEscaped();
    links << QStringLiteral("<a href=\"%1\">%1</a>").arg(k.toHtmlEscaped());
  }
  return prompt.left(open + 1).toHtmlEscaped() + links.join('/') + prompt.mid(close).toHtmlEscaped();
}

}  // namespace qrvwindow
