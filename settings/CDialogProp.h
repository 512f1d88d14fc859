#pragma once

#include "platform/ui/Dialog.h"
#include "resources/ResourceIds.h"

#include <exception>
#include <memory>
#include <string>
#include <vector>

class IOptionsWork;
class LangLocal;

// The settings dialog: the category names in an editable list with their
// swatches, import and export of the city's notes and the deletion of all of them. It works
// only through the controller's IOptionsWork and the language context.
//
// Names edited in the list are applied when the dialog closes, whichever way it closes.
// Import and export report their own errors and the dialog stays open after them. A failure
// in a step that has no message of its own (applying the names, deleting the notes) leaves
// the dialog running and is raised by Open once the dialog has closed, so that it reaches
// the boundary of whoever opened it.
class CDialogProp : public zsys::Dialog {
public:
    enum : WORD { IDD = IDD_SETTINGS };

    CDialogProp(IOptionsWork& options, std::shared_ptr<const LangLocal> language);

    // Opens the dialog modally, owned by the active window, and returns when it has closed;
    // nothing happens when it cannot be shown. Raises the first failure kept while it ran.
    static void Open(IOptionsWork& options, std::shared_ptr<const LangLocal> language);

    // The longest category name the list takes: a longer one is cut to its first characters.
    static constexpr std::size_t kMaxName = 128;

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
    LRESULT OnNotify(const NMHDR& header) override;
    void OnClose() override;

private:
    void OnClickList();
    void OnEndLabelEdit(const NMLVDISPINFOW& info);
    void OnImport();
    void OnExport();
    void OnDeleteNotes();
    // Applies the list's names and ends the dialog with `result`.
    void CloseWith(INT_PTR result);

    // Fills the list anew with the category table's names and swatch indices.
    void FillList();
    // The names the list shows, and those of the category table, in category order.
    std::vector<std::u16string> ListNames() const;
    std::vector<std::u16string> TableNames() const;
    int Tell(const std::u16string& text, const std::u16string& caption, UINT type) const;
    // Runs a handler; what it raises is kept for Open (the first failure only).
    template <class Handler> void Guarded(Handler handler);

    IOptionsWork& options_;
    std::shared_ptr<const LangLocal> language_;
    HWND list_ = nullptr; // the category list while the dialog runs
    std::exception_ptr failure_;
};
