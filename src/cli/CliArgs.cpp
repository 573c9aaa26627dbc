#include "cli/CliArgs.h"

#include "cli/CliHelp.h"
#include "cli/CliServices.h"

#include <QCommandLineParser>
#include <QHash>
#include <QRegularExpression>

namespace qvx {

namespace {

// A negative number stands in as this character and its argument's index
// while the parser reads the arguments, so that it is taken as a value.
constexpr char16_t kStandIn = 0xE000;

bool isNegativeNumber(const QString& a) {
    static const QRegularExpression number(QStringLiteral("^-[0-9]"));
    return number.match(a).hasMatch();
}

QString restored(const QString& text, const QStringList& args) {
    if (!text.startsWith(QChar(kStandIn))) return text;
    return args.value(text.mid(1).toInt());
}

const QCommandLineOption* optionNamed(const VerbHelp& verb, const QString& name) {
    for (const QCommandLineOption& o : verb.options)
        if (o.names().contains(name)) return &o;
    return nullptr;
}

// An option as the user typed it: "-x" or "--xyz".
QString typed(const QString& name, const QStringList& args) {
    const QString single = u'-' + name;
    for (const QString& a : args)
        if (a == single || a.startsWith(single + u'=')) return single;
    return QStringLiteral("--") + name;
}

} // namespace

QString ParserProblem(const QCommandLineParser& p, const QStringList& args) {
    if (!p.unknownOptionNames().isEmpty())
        return Cli::tr("unknown option %1").arg(typed(p.unknownOptionNames().first(), args));
    QString text = p.errorText().trimmed();
    if (text.endsWith(u'.')) text.chop(1);
    if (!text.isEmpty()) text[0] = text[0].toLower();
    return text;
}

std::optional<int> NumberIn(const QString& text, int lo, int hi) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < lo || n > hi) return std::nullopt;
    return n;
}

int UsageError(const QString& verb, const QString& problem, CliServices& io) {
    const QString command = verb.isEmpty() ? QStringLiteral("qvx") : QStringLiteral("qvx ") + verb;
    io.err() << Cli::tr("%1: %2 (see %1 --help)").arg(command, problem) << Qt::endl;
    return 2;
}

std::optional<int> VerbArgs::Parse(const VerbHelp& verb, const QStringList& args, VerbArgs& parsed,
                                   CliServices& io) {
    parsed.m_verb = &verb;
    QCommandLineParser p;
    SetUpParser(p, &verb);
    QStringList standIns{QStringLiteral("qvx")};
    for (qsizetype i = 0; i < args.size(); ++i)
        standIns << (isNegativeNumber(args[i]) ? QChar(kStandIn) + QString::number(i) : args[i]);
    if (!p.parse(standIns)) return parsed.usage(ParserProblem(p, args), io);
    if (p.isSet(QStringLiteral("help"))) {
        io.out() << HelpText(&verb);
        io.out().flush();
        return 0;
    }
    QHash<QString, qsizetype> uses;
    for (const QString& name : p.optionNames()) {
        const QCommandLineOption* option = optionNamed(verb, name);
        if (!option) continue;
        const QString longName = option->names().last();
        const qsizetype use = uses[longName]++;
        // A switch given twice says the same twice.
        if (option->valueName().isEmpty()) {
            if (use == 0) parsed.m_given.append({longName, QString()});
            continue;
        }
        if (use == 1 && !verb.repeatable.contains(longName))
            return parsed.usage(Cli::tr("--%1 is given more than once").arg(longName), io);
        parsed.m_given.append({longName, restored(p.values(name).value(use), args)});
    }
    for (const QString& a : p.positionalArguments())
        parsed.m_positional << restored(a, args);
    return std::nullopt;
}

QString VerbArgs::name() const {
    return m_verb->name;
}

QString VerbArgs::action() const {
    return m_verb->name.section(u' ', -1);
}

bool VerbArgs::has(const QString& name) const {
    for (const auto& [option, value] : m_given)
        if (option == name) return true;
    return false;
}

QString VerbArgs::value(const QString& name) const {
    for (const auto& [option, value] : m_given)
        if (option == name) return value;
    return {};
}

int VerbArgs::usage(const QString& problem, CliServices& io) const {
    return UsageError(m_verb->name, problem, io);
}

std::optional<int> VerbArgs::require(const QString& name, CliServices& io) const {
    if (has(name)) return std::nullopt;
    return usage(Cli::tr("--%1 is required").arg(name), io);
}

std::optional<int> VerbArgs::requireCount(qsizetype count, const QString& what,
                                          CliServices& io) const {
    if (m_positional.size() == count) return std::nullopt;
    if (m_positional.size() < count) return usage(Cli::tr("%1 is missing").arg(what), io);
    return usage(Cli::tr("unexpected argument %1").arg(m_positional[count]), io);
}

} // namespace qvx
