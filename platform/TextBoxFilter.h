#pragma once

#include <QValidator>

// What a text box takes, however the text arrives (typed, pasted, dropped or set by the
// program): never a line break, tab or other character below the blank, which would
// break the line-based settings file; and in a number input never a comma, which becomes
// the decimal point. The box takes the text as the filter rewrites it, in one change.
class TextBoxFilter : public QValidator {
    Q_OBJECT
public:
    enum class Kind { Text, Number };

    TextBoxFilter(Kind kind, QObject* parent);

    State validate(QString& input, int& position) const override;

private:
    Kind kind_;
};

// The text as a text box of that kind holds it after the program set it, for a run that
// reads the same values without the box.
QString BoxText(QString text, TextBoxFilter::Kind kind);
