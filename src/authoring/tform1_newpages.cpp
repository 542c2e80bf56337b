// TForm1: pages made from imported files, and the dated new page made in the editor.
#include "app/tform1.h"

#include "authoring/fileimport.h"
#include "authoring/newpage.h"

#include <QDateTime>

namespace sorvek {

void TForm1::MakePagesFromFiles(const QString &folder)
{
    if (ListBox1.isEmpty())
        return;
    const ImportOutcome outcome = makePagesFromFiles(ListBox1, folder, BookFolder);
    ListBox1 = outcome.remaining;
    if (!outcome.message().isEmpty())
        warn(outcome.message());
}

void TForm1::Paste2Click()
{
    const QStringList files = services().clipboard ? services().clipboard->copiedFiles() : QStringList();
    if (!files.isEmpty())
        ListBox1 = files;
    MakePagesFromFiles(levels_.topFolder());
    if (!ListBox1.isEmpty())
        return;  // an entry that could not be imported stops the import; the level stays as it was
    OpenLevel(levels_.topFolder(), PageIndex(), false, levels_.topOrigin());
    RebuildPageButtons();
    ShowPage(true);
}

void TForm1::N2Click()
{
    const NewPagePlan plan = planNewPage(levels_.topFolder(), levels_.pageList(), QDateTime::currentDateTime());
    const int target = PageIndex() + 1;
    if (EditPage(plan.file, plan.skeleton, 0) > 0)
        MovePageAndRenumber(PageIndex(), target);
}

} // namespace sorvek
