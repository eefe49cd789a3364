#include "support/dbcontrols/DBEdit.h"

#include "db/IBCustomDataSet.h"
#include "platform/QtText.h"
#include "support/dbcontrols/DataAwareText.h"

#include <QKeyEvent>
#include <QValidator>

namespace {

QString Cased(const QString& text, TEditCharCase charCase) {
    if (charCase == ecUpperCase) return text.toUpper();
    if (charCase == ecLowerCase) return text.toLower();
    return text;
}

// Turns what is typed or pasted into the edit's letter case.
class TCaseValidator : public QValidator {
public:
    TCaseValidator(QObject* parent, const TEditCharCase& charCase)
        : QValidator(parent), charCase_(charCase) {}
    State validate(QString& input, int&) const override {
        input = Cased(input, charCase_);
        return Acceptable;
    }

private:
    const TEditCharCase& charCase_;
};

// What a line edit holds unless told otherwise.
constexpr int kUnlimitedLength = 32767;

} // namespace

TDBEdit::TDBEdit(QWidget* parent) : QLineEdit(parent) {
    setAcceptDrops(false);
    setValidator(new TCaseValidator(this, charCase_));
    link_.OnDataChange = [this] { DataChange(); };
    link_.OnEditingChange = [this] { EditingChange(); };
    link_.OnActiveChange = [this] { ApplyMaxLength(); };
    link_.OnUpdateData = [this] { UpdateData(); };
    connect(this, &QLineEdit::textEdited, this, [this] { link_.UserChanged(); });
    EditingChange();
}

TDBEdit::~TDBEdit() = default;

void TDBEdit::SetCharCase(TEditCharCase charCase) {
    charCase_ = charCase;
    setText(Cased(text(), charCase_));
}

void TDBEdit::SetMaxLength(int length) {
    maxLength_ = length;
    ApplyMaxLength();
}

void TDBEdit::ApplyMaxLength() {
    const TField* field = Field();
    if (maxLength_ > 0)
        setMaxLength(maxLength_);
    else if (field && field->DataType() == ftString)
        setMaxLength(field->Size());
    else
        setMaxLength(kUnlimitedLength);
}

std::string TDBEdit::Text() const {
    return FromQString(text());
}

// Setting the same text again would move the cursor.
void TDBEdit::DataChange() {
    const TField* field = Field();
    const QString shown = field ? Cased(ToQString(field->AsString()), charCase_) : QString();
    if (shown != text()) setText(shown);
    EditingChange();
}

void TDBEdit::EditingChange() {
    setReadOnly(!link_.CanModify());
}

void TDBEdit::UpdateData() {
    Field()->SetAsString(Text());
}

void TDBEdit::keyPressEvent(QKeyEvent* event) {
    if (ResetOnEscape(link_, *event)) {
        selectAll();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TDBEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    UpdateOnLeaving(link_, *this, *event, [this] { selectAll(); });
}
