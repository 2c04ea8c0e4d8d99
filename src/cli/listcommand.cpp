// orthex-cli list: the rows of a spelling-list file, as the program's cursor sees them.

#include "app/messages.h"
#include "cli/clicommand.h"
#include "lists/listdatabase.h"
#include "lists/spellinglistdb.h"

#include <vector>

namespace {
// The messages the program would show in a box go to standard error here.
class CErrorStreamSink : public IMessageSink
{
public:
    CErrorStreamSink()
        : m_previous(Messages::Sink())
    {
        Messages::SetSink(this);
    }
    ~CErrorStreamSink() override { Messages::SetSink(m_previous); }
    CErrorStreamSink(const CErrorStreamSink&) = delete;
    CErrorStreamSink& operator=(const CErrorStreamSink&) = delete;

    void ShowMessage(const QString& text, MessageIcon) override
    {
        Cli::Out().flush();
        Cli::Err() << text << '\n';
        Cli::Err().flush();
    }

private:
    IMessageSink* m_previous;
};

const char kUsage[] = "list FILE.orthex";

// Tabs and line breaks inside a value would break the table.
QString tsvField(const QString& value)
{
    QString field = value;
    field.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    field.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    field.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    field.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    return field;
}

int printRows(const QStringList& args)
{
    if (args.size() != 1 || args.first().isEmpty())
        return Cli::Usage(kUsage);
    CErrorStreamSink sink;
    CListDatabase database;
    if (!database.Open(args.first()))
        return Cli::kFailed;
    CSpellingListDB list(database);
    if (!list.Open())
        return Cli::kFailed;
    QTextStream& out = Cli::Out();
    out << "Order\tCreatedBy\tWord\tSoundBytes\n";
    if (!(list.IsBOF() && list.IsEOF())) {
        for (list.MoveFirst(); !list.IsEOF(); list.MoveNext())
            out << list.Order() << '\t' << tsvField(list.CreatedBy()) << '\t' << tsvField(list.Word()) << '\t'
                << list.SoundSize() << '\n';
    }
    out.flush();
    return Cli::kOk;
}

// Sub-forms ("list new", "list add", ...) are named by the first argument; anything else is the
// file to print.
struct ListSubForm {
    const char* name;
    int (*run)(const QStringList& args);
};

const std::vector<ListSubForm>& subForms()
{
    static const std::vector<ListSubForm> forms;
    return forms;
}

int runList(const QStringList& args)
{
    if (!args.isEmpty()) {
        for (const ListSubForm& form : subForms())
            if (args.first() == QLatin1String(form.name))
                return form.run(args.mid(1));
    }
    return printRows(args);
}
}  // namespace

ORTHEX_CLI_COMMAND("list", kUsage, &runList);
