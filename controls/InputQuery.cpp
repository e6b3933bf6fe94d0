#include "controls/InputQuery.h"

#include "framework/Button.h"
#include "framework/Form.h"
#include "framework/Label.h"

#include <QFontMetrics>

TPoint GetAveCharSize(const TFont& font) {
    const QFontMetrics metrics(font.ToQFont());
    const QString letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    return Point(metrics.horizontalAdvance(letters) / 52, metrics.height());
}

namespace {

// The dialog: a prompt, the box and OK and Cancel, in dialog units of the form's font.
class TInputQueryForm : public TForm {
public:
    TInputQueryForm(TTypedEditType type, const TQueryParams* params, const AnsiString& caption,
                    const AnsiString& prompt, const AnsiString& value)
        : TForm(nullptr) {
        const TPoint du = GetAveCharSize(Font);
        SetBorderStyle(bsDialog);
        SetCaption(caption);
        SetClientSize(MulDiv(180, du.x, 4), MulDiv(63, du.y, 8));
        Position = poScreenCenter;

        auto* label = new TLabel(this);
        label->SetParent(this);
        label->SetCaption(prompt);
        label->SetBounds(MulDiv(8, du.x, 4), MulDiv(8, du.y, 8), label->Width(), label->Height());

        Box->SetParent(this);
        Box->SetBounds(label->Left(), MulDiv(19, du.y, 8), MulDiv(164, du.x, 4), Box->Height());
        Box->MaxLength = 255;
        Box->SetText(value);
        Box->SelectAll();
        Box->SetEditType(type);
        if (params) {
            Box->SetPrefix(params->Prefix);
            Box->SetSuffix(params->Suffix);
            Box->SetPrecision(params->Precision);
            Box->LengthLimit = params->LengthLimit;
            Box->SetFlat(params->Flat);
            if (params->Flat)
                Box->SetHeight(Box->Height() - 4);
        }

        const struct {
            const char* caption;
            int result;
            int left;
        } buttons[] = {{"OK", mrOk, 38}, {"Cancel", mrCancel, 92}};
        for (const auto& spec : buttons) {
            auto* button = new TButton(this);
            button->SetParent(this);
            button->SetCaption(spec.caption);
            button->ModalResult = spec.result;
            button->Default = spec.result == mrOk;
            button->Cancel = spec.result == mrCancel;
            button->SetBounds(MulDiv(spec.left, du.x, 4), MulDiv(41, du.y, 8), MulDiv(50, du.x, 4),
                              MulDiv(14, du.y, 8));
        }
        EndLayout();
    }

    TTypedEdit* const Box = new TTypedEdit(this);
};

} // namespace

bool GridInputQuery(TTypedEditType type, const TQueryParams* params, const AnsiString& caption,
                    const AnsiString& prompt, AnsiString& value) {
    TInputQueryForm form(type, params, caption, prompt, value);
    if (form.ShowModal() != mrOk)
        return false;
    value = form.Box->GetText();
    return true;
}
