#include "platform/TextBoxFilter.h"

namespace {

bool IsControl(QChar c) {
    switch (c.category()) {
        case QChar::Other_Control:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            return true;
        default:
            return false;
    }
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
