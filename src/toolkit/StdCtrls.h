#pragma once

#include "toolkit/Controls.h"
#include "toolkit/ImgList.h"
#include "toolkit/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

// The standard controls. Each takes its owner (the window, which lists it as a component in
// creation order) and its visual container.

class TLabel final : public QLabel, public TControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TLabel)
    TCONTROL_PUBLISHED
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QWidget *FocusControl READ FocusControl WRITE SetFocusControl)

public:
    TLabel(QObject *AOwner, QWidget *AParent);

    // "&" marks the access key; the key moves the focus to FocusControl.
    QString Caption() const { return text(); }
    void SetCaption(const QString &value);
    QWidget *FocusControl() const { return buddy(); }
    void SetFocusControl(QWidget *value) { setBuddy(value); }
};

class TButton final : public QPushButton, public TControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TButton)
    TCONTROL_PUBLISHED
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Default READ Default WRITE SetDefault)
    Q_PROPERTY(int ImageIndex READ ImageIndex WRITE SetImageIndex)
    Q_PROPERTY(TImageList *Images READ Images WRITE SetImages)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)

public:
    TButton(QObject *AOwner, QWidget *AParent);

    QString Caption() const { return text(); }
    void SetCaption(const QString &value) { setText(value); }
    // The button Enter presses.
    bool Default() const { return isDefault(); }
    void SetDefault(bool value) { setDefault(value); }
    TImageList *Images() const { return FImages; }
    void SetImages(TImageList *value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    // A result other than mrNone closes the button's window with that result after OnClick.
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    // Runs OnClick (and the modal result) as a user's click does.
    void Click() { click(); }

Q_SIGNALS:
    void OnClick(QObject *Sender);

private:
    void UpdateImage();

    QPointer<TImageList> FImages;
    int FImageIndex = -1;
    TModalResult FModalResult = mrNone;
};

class TEdit final : public QLineEdit, public TControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TEdit)
    TCONTROL_PUBLISHED
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(QString TextHint READ TextHint WRITE SetTextHint)

public:
    TEdit(QObject *AOwner, QWidget *AParent);

    QString Text() const { return text(); }
    void SetText(const QString &value) { setText(value); }
    // The grey text an empty edit shows.
    QString TextHint() const { return placeholderText(); }
    void SetTextHint(const QString &value) { setPlaceholderText(value); }
    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool value) { setReadOnly(value); }

Q_SIGNALS:
    // Every change of the text, typed or set by the program.
    void OnChange(QObject *Sender);
};

class TCheckBox final : public QCheckBox, public TControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TCheckBox)
    TCONTROL_PUBLISHED
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)

public:
    TCheckBox(QObject *AOwner, QWidget *AParent);

    QString Caption() const { return text(); }
    void SetCaption(const QString &value) { setText(value); }
    bool Checked() const { return isChecked(); }
    void SetChecked(bool value) { setChecked(value); }

Q_SIGNALS:
    // A click, and every change of Checked by the program.
    void OnClick(QObject *Sender);
};

inline namespace StdCtrlTypes {
Q_NAMESPACE
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
Q_ENUM_NS(TScrollStyle)
enum TComboBoxStyle { csDropDown, csDropDownList };
Q_ENUM_NS(TComboBoxStyle)
} // namespace StdCtrlTypes

class TMemo final : public QPlainTextEdit, public TControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMemo)
    TCONTROL_PUBLISHED
    Q_PROPERTY(TStrings *Lines READ Lines WRITE SetLines)
    Q_PROPERTY(StdCtrlTypes::TScrollStyle ScrollBars READ ScrollBars WRITE SetScrollBars)
    Q_PROPERTY(QString Text READ Text WRITE SetText)

public:
    TMemo(QObject *AOwner, QWidget *AParent);

    TStrings *Lines() const { return FLines; }
    void SetLines(TStrings *value);
    // Lines joined by CR LF.
    QString Text() const;
    void SetText(const QString &value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);
    // The most characters the memo takes (0: no limit). A text that would pass it, set, pasted,
    // dropped or typed, is refused whole before it is laid out, and OnTextRefused tells so.
    qsizetype MaxLength() const { return FMaxLength; }
    void SetMaxLength(qsizetype value) { FMaxLength = value; }

Q_SIGNALS:
    // Every change of the text, typed or set by the program.
    void OnChange(QObject *Sender);
    // A text of `Length` characters was not taken for passing MaxLength.
    void OnTextRefused(QObject *Sender, qsizetype Length);

protected:
    void ApplyFont() override;
    void insertFromMimeData(const QMimeData *source) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void SkipShaping();
    // Whether a text of `length` characters may replace the selection; refuses it otherwise.
    bool Takes(qsizetype length);

    TStrings *FLines;
    TScrollStyle FScrollBars = ssNone;
    qsizetype FMaxLength = 0;
};

class TListBox final : public QListWidget, public TControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TListBox)
    TCONTROL_PUBLISHED
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)
    Q_PROPERTY(TStrings *Items READ Items WRITE SetItems)

public:
    TListBox(QObject *AOwner, QWidget *AParent);

    TStrings *Items() const { return FItems; }
    void SetItems(TStrings *value);
    int ItemIndex() const { return currentRow(); }
    void SetItemIndex(int value) { setCurrentRow(value); }
    // Repainting is suspended between BeginUpdate and the matching EndUpdate.
    void BeginUpdate();
    void EndUpdate();

private:
    TStrings *FItems;
    int FUpdateCount = 0;
};

// A drop-down list, editable or not; its items may carry pictures from an image list.
class TComboBox final : public QComboBox, public TControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TComboBox)
    TCONTROL_PUBLISHED
    Q_PROPERTY(TImageList *Images READ Images WRITE SetImages)
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)
    Q_PROPERTY(TStrings *Items READ Items WRITE SetItems)
    Q_PROPERTY(bool Sorted READ Sorted WRITE SetSorted)
    Q_PROPERTY(StdCtrlTypes::TComboBoxStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(QString Text READ Text WRITE SetText)

public:
    TComboBox(QObject *AOwner, QWidget *AParent);

    TStrings *Items() const { return FItems; }
    void SetItems(TStrings *value);
    int ItemIndex() const { return currentIndex(); }
    // Selecting from the program does not run OnChange.
    void SetItemIndex(int value);
    // The selected item's text (drop-down list) or the edit's text.
    QString Text() const { return currentText(); }
    // A drop-down list selects the item with that text (without regard to case) if there is one.
    void SetText(const QString &value);
    // A sorted list keeps its items in case-insensitive alphabetical order, new items included.
    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    TComboBoxStyle Style() const { return isEditable() ? csDropDown : csDropDownList; }
    void SetStyle(TComboBoxStyle value);
    TImageList *Images() const { return FImages; }
    void SetImages(TImageList *value);

    // Adds an item with a picture index into Images (-1: none); answers its index.
    int AddItem(const QString &text, int imageIndex = -1);
    int ItemImageIndex(int index) const;
    void SetItemImageIndex(int index, int imageIndex);

Q_SIGNALS:
    // The user picked an item or edited the text.
    void OnChange(QObject *Sender);

private:
    friend class TComboBoxStrings;
    int InsertSorted(const QString &text, int imageIndex);
    int InsertPlain(int index, const QString &text, int imageIndex);
    void SortItems();
    void UpdateIcons();

    TStrings *FItems;
    QPointer<TImageList> FImages;
    bool FSorted = false;
};

// Orders texts as sorted lists do: alphabetically without regard to letter case.
int CompareListText(const QString &a, const QString &b);
