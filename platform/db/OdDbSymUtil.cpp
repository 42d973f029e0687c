#include "OdDbSymUtil.h"

#include "OdStringUtil.h"

namespace OdDbSymUtil {

OdResult validateSymbolName(const OdString& name, const OdDbDatabase*, bool allowVerticalBar,
                            OdString* reason) {
  auto fail = [&](const OdString& why) {
    if (reason) *reason = why;
    return eInvalidSymbolTableName;
  };
  if (name.empty()) return fail("the name is empty");
  if (qrv::codePointCount(name) > 255) return fail("the name is longer than 255 characters");
  if (name.front() == ' ' || name.back() == ' ') return fail("the name starts or ends with a blank");
  // C1 controls (U+0080..U+009F, such as the next-line character U+0085)
  // break lines in some readers just as C0 ones do.
  for (std::size_t i = 0; i < name.size();) {
    const char32_t cp = qrv::decodeUtf8(name, i);
    if (cp >= 0x80 && cp <= 0x9F) return fail("the name contains a control character");
  }
  for (unsigned char c : name) {
    if (c < 0x20 || c == 0x7F) return fail("the name contains a control character");
    switch (c) {
      case '<': case '>': case '/': case '\\': case '"': case ':': case ';':
      case '?': case '*': case '=': case '\'': case '`':
        return fail(OdString("the name contains '") + char(c) + "'");
      case '|':
        if (!allowVerticalBar) return fail("the name contains '|'");
        break;
      default:
        break;
    }
  }
  return eOk;
}

void assertValidSymbolName(const OdString& name, const OdDbDatabase* db, bool allowVerticalBar) {
  OdString reason;
  if (validateSymbolName(name, db, allowVerticalBar, &reason) != eOk)
    throw OdError(eInvalidSymbolTableName, "\"" + name + "\": " + reason);
}

}  // namespace OdDbSymUtil
