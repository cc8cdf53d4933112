#include "PasswordEcho.h"

#include <QLineEdit>
#include <QProxyStyle>

namespace {
class TStarPasswordStyle : public QProxyStyle {
public:
    int styleHint(StyleHint Hint, const QStyleOption *Option, const QWidget *Widget,
                  QStyleHintReturn *ReturnData) const override
    {
        if (Hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(Hint, Option, Widget, ReturnData);
    }
};
} // namespace

void ShowPasswordAsStars(QLineEdit *Edit)
{
    auto *style = new TStarPasswordStyle;
    style->setParent(Edit);
    Edit->setStyle(style);
    Edit->setEchoMode(QLineEdit::Password);
}
