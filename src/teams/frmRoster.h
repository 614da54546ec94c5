#pragma once
// The roster editor: a modal dialog for the people and the current team's
// roster. Roster changes collect in a pending table and are written on Close;
// deleting a person from All Players is written at once.

#include "shell/Form.h"
#include "teams/RosterPending.h"

#include <array>
#include <functional>

class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

namespace vh {

class frmRoster : public Dialog {
    Q_OBJECT
public:
    frmRoster();
    ~frmRoster() override;

    // Set by the player entry screen: run after Close, instead of going back to
    // the team selection, when that screen is open.
    static std::function<void()> entryScreenRefresh;

    // Commands.
    void cmdAdd_Click();
    void cmdChange_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdInsert_Click();
    void cmdDelete_Click();
    void cmdDeletePlayer_Click();
    void cmdClose_Click();
    void lstRoster_Click();
    void lstRoster_DblClick();

    // Switching between browse and edit state.
    void EnableTextFields();
    void DisableTextFields();
    void EnableRoster();
    void DisableRoster();
    void InitEntryFields(int row);
    void ClearEntryFields();

    const RosterPending& pending() const { return pending_; }
    QString editMode() const { return editMode_; }
    // The text box (a line edit, or the notes box) of a field.
    QWidget* textBox(int field) const { return boxes_[size_t(field)]; }
    QString boxText(int field) const;
    void setBoxText(int field, const QString& text);
    // The box the Enter key moves to from a field's box.
    static int nextInRing(int field) { return (field + 1) % RosterField::Count; }

protected:
    void Form_Load() override;
    // Left only through Close, which Esc and the close box press.
    void reject() override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void buildControls();
    void fitBirthDateBox();
    void setTextFieldsEnabled(bool enabled);
    void setBrowsing(bool browsing);
    void moveFocusFrom(int field);
    // Selects a roster entry from code; the selection shows its row.
    void selectRosterItem(int index);
    int selectedRoster() const;
    // The selected All Players entry; without one, says so and gives -1.
    int selectedAllPlayers();
    int findByPerson(QListWidget* list, int16_t person) const;
    void addEntry(QListWidget* list, const QString& text, int16_t person);
    int16_t personOf(QListWidget* list, int index) const;
    void warn(const QString& text, const QString& title);
    void databaseError(const QString& what, const RuntimeError& e);
    // After Close: back to the team selection, or the entry screen's refresh.
    void returnToCaller();

    RosterPending pending_;
    QString editMode_;
    int nextPerson_ = 1;
    bool noTeam_ = false;

    QLabel* Label14 = nullptr;
    QListWidget* lstAllPlayers = nullptr;
    QPushButton* cmdInsert = nullptr;
    QLabel* lblRoster = nullptr;
    QListWidget* lstRoster = nullptr;
    QLabel* lblmdy = nullptr;
    QPushButton* cmdDeletePlayer = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdChange = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdClose = nullptr;
    std::array<QWidget*, RosterField::Count> boxes_{};
    std::array<QLabel*, RosterField::Count> labels_{};
};

}  // namespace vh
