#include "lists/wordlistreload.h"

#include "base/messages.h"
#include "document/orthexdoc.h"

QString CWordListReload::NotOpenedMessage()
{
    return QStringLiteral("CWords::OnBnClickedCancel -- DB Not Opened");
}

CWordListReload::Result CWordListReload::Run(COrthexDoc& doc)
{
    Result result;
    if (doc.GetWordCount() == 0)
        return result;
    // A cursor that cannot read the file again means the file changed under it (or went): the
    // document opens it anew, the way File Open does.
    doc.RereadList();
    if (doc.IsListOpen()) {
        result.outcome = Outcome::Loaded;
        result.words = doc.List()->ListWords();
    } else if (doc.Database().IsOpen()) {
        result.outcome = Outcome::NotOpened;
        Messages::Show(NotOpenedMessage());
    } else {
        result.outcome = Outcome::Closed;
    }
    return result;
}
