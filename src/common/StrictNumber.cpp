#include "StrictNumber.h"

#include "ChattleError.h"

#include <limits>

int StrictToInt(const QString &field)
{
    const bool negative = field.startsWith(QLatin1Char('-'));
    const QStringView digits = QStringView(field).mid(negative ? 1 : 0);
    qint64 value = 0;
    bool valid = !digits.isEmpty();
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9') || value > std::numeric_limits<int>::max()) {
            valid = false;
            break;
        }
        value = value * 10 + (c.unicode() - '0');
    }
    if (negative)
        value = -value;
    if (!valid || value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(field));
    return static_cast<int>(value);
}
