#include "platform/web/PageScripts.h"

namespace lumera::pageScripts {

namespace {

QString jsNumber(int value) {
    return QString::number(value);
}

} // namespace

QString activeLink(const QString& marker) {
    return QStringLiteral(R"JS(
(function () {
  var marker = '%1';
  function report(target) {
    var el = target;
    while (el && !(el.href && typeof el.href === 'string')) el = el.parentElement;
    console.info(marker + (el ? el.href : ''));
  }
  document.addEventListener('mousedown', function (e) { report(e.target); }, true);
  document.addEventListener('focusin', function (e) { report(e.target); }, true);
})();
)JS")
        .arg(marker);
}

QString typingInPage() {
    // It looks through open shadow roots and frames of the same origin; a frame of another
    // origin might hold a field, so it counts.
    return QStringLiteral(R"(
(function () {
  var e = document.activeElement;
  for (;;) {
    if (!e) return false;
    if (e.shadowRoot && e.shadowRoot.activeElement) { e = e.shadowRoot.activeElement; continue; }
    if (e.tagName !== 'IFRAME' && e.tagName !== 'FRAME') break;
    var inner = null;
    try { inner = e.contentDocument; } catch (x) { inner = null; }
    if (!inner) return true;
    e = inner.activeElement;
  }
  if (e.isContentEditable) return true;
  if (e.disabled || e.readOnly) return false;
  if (e.tagName === 'TEXTAREA') return true;
  return e.tagName === 'INPUT' &&
      !/^(button|checkbox|radio|submit|reset|image|range|color|file|hidden)$/i.test(e.type);
})())");
}

QString readDocument() {
    // The engine's own title falls back on the address; this is the document's.
    return QStringLiteral("[document.title, location.href]");
}

QString scrollBy(int dx, int dy) {
    return QStringLiteral("window.scrollBy(%1, %2);").arg(jsNumber(dx), jsNumber(dy));
}

QString setBodyMargins(int top, int left, int right, int bottom) {
    return QStringLiteral("(function(){var b=document.body;if(!b)return;"
                          "b.style.marginTop='%1px';b.style.marginLeft='%2px';"
                          "b.style.marginRight='%3px';b.style.marginBottom='%4px';"
                          "})();")
        .arg(jsNumber(top), jsNumber(left), jsNumber(right), jsNumber(bottom));
}

} // namespace lumera::pageScripts
