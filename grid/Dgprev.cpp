#include "grid/Dgprev.h"

#include "grid/Datagrid.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr int SmallestWidth = 350;
constexpr int SmallestHeight = 100;

// Puts the grid's preview page back however the print ends.
class ScopedPreviewPage {
public:
    explicit ScopedPreviewPage(TDataGrid& grid) : grid(grid), page(grid.FromPage) {}
    ~ScopedPreviewPage() { grid.SetPreviewPage(page); }
    ScopedPreviewPage(const ScopedPreviewPage&) = delete;
    ScopedPreviewPage& operator=(const ScopedPreviewPage&) = delete;

private:
    TDataGrid& grid;
    int page;
};

} // namespace

TGridPreviewForm::TGridPreviewForm(TComponent* Owner) : TForm(Owner) {
    SetBounds(275, 107, 429, 413);
    SetCaption("Preview");
    SetColor(clGray);
    Position = poScreenCenter;
    // The window cannot be made smaller than this.
    Constraints.MinWidth = SmallestWidth;
    Constraints.MinHeight = SmallestHeight;

    Panel1 = new TPanel(this);
    Panel1->SetParent(this);
    Panel1->SetHeight(41);
    Panel1->SetAlign(alTop);
    auto button = [this](int left, const char* caption, int tabOrder,
                         void (TGridPreviewForm::*click)(TObject*)) {
        auto* made = new TButton(this);
        made->SetParent(Panel1);
        made->SetBounds(left, 8, 73, 25);
        made->SetCaption(caption);
        made->TabOrder = tabOrder;
        made->OnClick = [this, click](TObject* sender) { (this->*click)(sender); };
        return made;
    };
    Previous = button(8, "Previous", 1, &TGridPreviewForm::PreviousClick);
    Next = button(88, "Next", 0, &TGridPreviewForm::NextClick);
    Button3 = button(168, "Print", 2, &TGridPreviewForm::Button3Click);
    Button4 = button(248, "Close", 3, &TGridPreviewForm::Button4Click);

    Panel2 = new TPanel(this);
    Panel2->SetParent(this);
    Panel2->SetBounds(16, 48, 393, 329);
    Panel2->SetColor(clWhite);
    Panel2->SetBevelOuter(bvNone);
    PreviewPaintBox = new TPaintBox(this);
    PreviewPaintBox->SetParent(Panel2);
    PreviewPaintBox->SetAlign(alClient);
    PreviewPaintBox->OnPaint = [this](TObject* sender) { PreviewPaintBoxPaint(sender); };

    OnResize = [this](TObject* sender) { FormResize(sender); };
    EndLayout();
}

void WatchGrid(TComponent& watcher, TDataGrid*& grid, TDataGrid* value) {
    if (grid)
        watcher.RemoveFreeNotification(grid);
    grid = value;
    if (grid)
        watcher.FreeNotification(grid);
}

void ForgetGrid(TDataGrid*& grid, TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent == grid)
        grid = nullptr;
}

void TGridPreviewForm::SetGrid(TDataGrid* value) {
    WatchGrid(*this, grid, value);
}

void TGridPreviewForm::Notification(TComponent* AComponent, TOperation Operation) {
    ForgetGrid(grid, AComponent, Operation);
    TForm::Notification(AComponent, Operation);
}

void TGridPreviewForm::FormResize(TObject*) {
    const int W = ClientWidth();
    const int H = ClientHeight();
    const int T = Panel1->Height();
    const int w = static_cast<int>(std::nearbyint(W * 90 / 100.0));
    const int h = static_cast<int>(std::nearbyint((H - T) * 90 / 100.0));
    Panel2->SetLeft((W - w) / 2);
    Panel2->SetTop(T + (H - T - h) / 2);
    Panel2->SetWidth(w);
    Panel2->SetHeight(h);
}

void TGridPreviewForm::UpdateButtons() {
    Previous->SetEnabled(grid->FromPage > 1);
    Next->SetEnabled(grid->FromPage < grid->GetPrintPageCount());
}

void TGridPreviewForm::PreviewPaintBoxPaint(TObject*) {
    if (!grid)
        return;
    grid->PrintPreview(PreviewPaintBox->Canvas, PreviewPaintBox->ClientRect());
    UpdateButtons();
    const int shown = std::max(1, std::min(grid->FromPage, grid->GetPrintPageCount()));
    if (shown != grid->FromPage) {
        grid->SetPreviewPage(shown);
        PreviewPaintBox->Invalidate();
    }
}

void TGridPreviewForm::PreviousClick(TObject*) {
    if (!grid)
        return;
    if (grid->FromPage > 1)
        grid->SetPreviewPage(grid->FromPage - 1);
    UpdateButtons();
    PreviewPaintBox->Invalidate();
}

void TGridPreviewForm::NextClick(TObject*) {
    if (!grid)
        return;
    if (grid->FromPage < grid->GetPrintPageCount())
        grid->SetPreviewPage(grid->FromPage + 1);
    UpdateButtons();
    PreviewPaintBox->Invalidate();
}

void TGridPreviewForm::Button3Click(TObject*) {
    if (!grid)
        return;
    {
        const ScopedPreviewPage keep(*grid);
        grid->FastPreview = false;
        grid->SetPreviewPage(-1);
        grid->Print();
    }
    PreviewPaintBox->Invalidate();
}

void TGridPreviewForm::Button4Click(TObject*) {
    Close();
}

TGridPreviewDialog::TGridPreviewDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}

void TGridPreviewDialog::SetGrid(TDataGrid* value) {
    WatchGrid(*this, grid, value);
}

void TGridPreviewDialog::Notification(TComponent* AComponent, TOperation Operation) {
    ForgetGrid(grid, AComponent, Operation);
    TCommonDialog::Notification(AComponent, Operation);
}

void TGridPreviewDialog::SetPreviewWidth(int value) {
    previewWidth = std::max(value, SmallestWidth);
}

void TGridPreviewDialog::SetPreviewHeight(int value) {
    previewHeight = std::max(value, SmallestHeight);
}

bool TGridPreviewDialog::Execute() {
    if (!grid)
        throw Exception("The dialog does not have a grid component.");
    const std::unique_ptr<TGridPreviewForm> form = std::make_unique<TGridPreviewForm>(nullptr);
    form->SetGrid(grid);
    form->SetWidth(previewWidth);
    form->SetHeight(previewHeight);
    if (PreviewCenter) {
        form->Position = poScreenCenter;
    } else {
        form->Position = poDesigned;
        form->SetLeft(PreviewLeft);
        form->SetTop(PreviewTop);
    }
    grid->SetPreviewPage(1);
    grid->FastPreview = PreviewFast;
    form->Previous->SetEnabled(false);
    const bool accepted = form->ShowModal() == mrOk;
    previewWidth = form->Width();
    previewHeight = form->Height();
    PreviewTop = form->Top();
    PreviewLeft = form->Left();
    return accepted;
}
