#include "support/dbcontrols/DBMemo.h"

#include "db/IBCustomDataSet.h"
#include "platform/QtText.h"
#include "support/dbcontrols/DataAwareText.h"

#include <QKeyEvent>

TDBMemo::TDBMemo(QWidget* parent) : QPlainTextEdit(parent) {
    setAcceptDrops(false);
    setTabChangesFocus(true);
    link_.OnDataChange = [this] { DataChange(); };
    link_.OnEditingChange = [this] { EditingChange(); };
    link_.OnUpdateData = [this] { UpdateData(); };
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!showing_) link_.UserChanged();
    });
    EditingChange();
}

TDBMemo::~TDBMemo() = default;

std::string TDBMemo::Text() const {
    return FromQString(toPlainText().replace('\n', QStringLiteral("\r\n")));
}

// Setting the same text again would move the cursor.
void TDBMemo::DataChange() {
    const TField* field = Field();
    const QString shown =
        field ? ToQString(field->AsString()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
              : QString();
    if (shown != toPlainText()) {
        showing_ = true;
        setPlainText(shown);
        showing_ = false;
    }
    EditingChange();
}

void TDBMemo::EditingChange() {
    setReadOnly(!link_.CanModify());
}

void TDBMemo::UpdateData() {
    Field()->SetAsString(Text());
}

void TDBMemo::keyPressEvent(QKeyEvent* event) {
    if (ResetOnEscape(link_, *event)) {
        selectAll();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TDBMemo::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    UpdateOnLeaving(link_, *this, *event, [this] { selectAll(); });
}
