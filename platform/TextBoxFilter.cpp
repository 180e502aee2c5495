#include "platform/TextBoxFilter.h"

namespace {

// Line breaks, NUL and the other characters below the blank, which no one types into a
// field. The controls from 0x7F to 0x9F stay: they are bytes of the 8-bit settings file
// (0x85 is no line break there), and a value that holds them must survive a save.
bool IsControl(QChar c) {
    return c.unicode() < 0x20 || c.category() == QChar::Separator_Line ||
           c.category() == QChar::Separator_Paragraph;
}

}  // namespace

TextBoxFilter::TextBoxFilter(Kind kind, QObject* parent) : QValidator(parent), kind_(kind) {}

QValidator::State TextBoxFilter::validate(QString& input, int& position) const {
    for (qsizetype i = input.size() - 1; i >= 0; --i) {
        if (IsControl(input[i])) {
            input.remove(i, 1);
            if (position > i) --position;
        } else if (kind_ == Kind::Number && input[i] == ',') {
            input[i] = '.';
        }
    }
    return Acceptable;
}

QString BoxText(QString text, TextBoxFilter::Kind kind) {
    int position = 0;
    TextBoxFilter(kind, nullptr).validate(text, position);
    return text;
}
