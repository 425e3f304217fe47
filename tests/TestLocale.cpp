// Linked into every test: the tests assume Qt's C locale (a point as decimal separator, English
// names) whatever locale they run in. A test that needs another sets it itself. The C library
// keeps the caller's locale, so code that follows it instead of QLocale is caught.

#include <QLocale>

namespace {

const bool kDefaultLocaleSet = [] {
    QLocale::setDefault(QLocale::c());
    return true;
}();

} // namespace
