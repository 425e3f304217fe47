#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>

namespace skyvane {

// Raised for a constant name that is not in the table: "Constant "<name>" not found".
class ConstantNotFound : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The translatable texts that code puts together at run time, by name. Names are compared
// without regard to case. Callers fetch a text at the moment they build their text and never
// keep it, so that a language switch shows up in the next text they build.
// The table is guarded by a read-write lock: lookups take the read side.
QString ConstantText(const QString& name);

// Sets the current text of a constant (used when a translation is applied). Throws
// ConstantNotFound for an unknown name.
void SetConstantText(const QString& name, const QString& text);

// Every current text becomes its built-in English text again.
void ResetConstants();

// The names of all constants, in table order.
QStringList ConstantNames();

// The built-in English text of a constant. Throws ConstantNotFound for an unknown name.
QString BuiltInConstantText(const QString& name);

// ConstantText with each "%s" replaced in turn by the given arguments.
QString FormatConstant(const QString& name, const QStringList& arguments);

// Replaces each "%s" of a printf-style pattern in turn by the next argument; "%%" is "%".
QString FormatPercentS(const QString& pattern, const QStringList& arguments);

} // namespace skyvane
