#pragma once

#include "framework/Control.h"

#include <functional>
#include <string>
#include <string_view>

class QTextDocument;

using TRichEditResizeEvent = std::function<void(TObject* Sender, const TRect& Rect)>;

// A rich-text edit: formatted paragraphs typed and selected in a text view, read from rich text
// and written back as rich text. Its text lives in one document the view shows; positions count
// characters, a paragraph's end as one.
class TRichEdit : public TWinControl {
public:
    explicit TRichEdit(TComponent* owner);

    // The text read as rich text, or as plain text when it does not begin with "{\rtf"; the
    // edit is unmodified after it.
    void SetRichText(std::string_view rtf);
    // The text as rich text; "" when the edit is empty.
    std::string GetRichText() const;
    void Clear();
    bool IsEmpty() const;
    // Changed by typing or formatting since the text was last set.
    bool GetModified() const;
    void SetModified(bool value);

    // The characters, a paragraph's end counted as one.
    int GetTextLen() const;
    int GetSelStart() const;
    void SetSelStart(int position);
    int GetSelLength() const;
    void SetSelLength(int length);
    // Selects from anchor to caret.
    void SetSelection(int anchor, int caret);
    void SelectAll();
    // The style (fsBold, fsItalic, fsUnderline, fsStrikeOut) of the selection's first character,
    // or of what is typed next without a selection; setting it formats the selection, or what is
    // typed next.
    unsigned GetSelStyle() const;
    void SetSelStyle(unsigned style);
    // The selection's characters raised by twips above the baseline (lowered when negative), or
    // what is typed next without a selection.
    void SetSelOffset(int twips);
    int GetSelOffset() const;

    void SetBorderStyle(TBorderStyle value);
    // Lines wrap at the edit's width; without, a paragraph is one line.
    void SetWordWrap(bool value);
    bool GetWordWrap() const { return wordWrap; }
    // The room between the edit's edges and its text, on every side.
    void SetTextInset(int pixels);
    QTextDocument& Document() const;

    TNotifyEvent OnChange;
    TNotifyEvent OnSelectionChange;
    // The size the text needs (from (0, 0)), whenever it changes.
    TRichEditResizeEvent OnResizeRequest;

    bool WantsAllKeys() const override { return true; }
    // The user changed the text or moved the selection in the view.
    void ViewTextChanged();
    void ViewSelectionMoved();

protected:
    // The text now needs Rect: raises OnResizeRequest.
    virtual void RequestSize(const TRect& rect);
    void Resize() override;
    void UpdateView() override;

private:
    // Asks for the size the text needs when it is not the one last asked for.
    void NoteSize();
    // Words break at blanks, and a word wider than a line where the line is full; a document
    // holding a word too long for Qt to lay out that way in good time breaks anywhere.
    void ChooseWrapping();

    TBorderStyle borderStyle = bsSingle;
    bool wordWrap = true;
    // Set while the text is read in from code: no change is the user's.
    bool loading = false;
    // Selection last reported, to raise OnSelectionChange only for a move.
    int reportedStart = 0;
    int reportedLength = 0;
    // The size last asked for.
    TRect requested{0, 0, 0, 0};
};
