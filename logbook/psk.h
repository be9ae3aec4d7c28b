#pragma once
// The entry bar: a compact strip of nine fields through which a QSO is typed
// into the QSO window and saved there, without that window on screen.
#include <QWidget>
#include <array>

class QLineEdit;

namespace zelmor {

class PaintedPicture;
class Tform1;

class Tpsk : public QWidget {
    Q_OBJECT
public:
    explicit Tpsk(QWidget *parent = nullptr);

    PaintedPicture *Image1; // the background; it drags the bar
    QLineEdit *Edit1;       // call
    QLineEdit *Edit2;       // name
    QLineEdit *Edit3;       // QTH
    QLineEdit *Edit4;       // QSL manager
    QLineEdit *Edit5;       // IOTA
    QLineEdit *Edit6;       // locator
    QLineEdit *Edit7;       // info
    QLineEdit *Edit8;       // report sent
    QLineEdit *Edit9;       // report received

    // A change of a field: its text into the QSO window's field.
    void EditChange(QLineEdit *edit);
    // The save hot key: the QSO saved through the QSO window.
    void SaveFromBar();
    void FormActivate();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    struct Field {
        QLineEdit *edit;
        QLineEdit *Tform1::*target;
        const QString *placeholder; // shown by the target while empty, or nullptr
    };
    std::array<Field, 9> fields_{};
    const Field *fieldOf(const QObject *o) const;
};

extern Tpsk *psk;

// What the save key says while the QSO window edits a logged QSO.
QString EntryBarEditModeText(int qsoNumber);

} // namespace zelmor
