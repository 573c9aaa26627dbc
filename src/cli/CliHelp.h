#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace qvx {

class CliServices;

// What qvx and each of its verbs accept, described once: the help texts and
// the refusal of options a verb does not know both come from here.
struct VerbHelp {
    QString name;
    // The forms the verb is called in, one per line, without "qvx ".
    QStringList synopsis;
    // One line for the list of verbs.
    QString description;
    QList<QCommandLineOption> options;
    // What the verb's help adds before its options (may be empty).
    QString details = {};
};

const std::vector<VerbHelp>& Verbs();
const VerbHelp* FindVerb(const QString& name);

// The help text of qvx (verb null) or of one verb.
QString HelpText(const VerbHelp* verb);

// qvx's own arguments before the verb: --help and --version answer here (exit
// 0); anything else that starts with "-" is refused (exit 2). Nothing when the
// first argument is a verb to run.
std::optional<int> CheckToolArgs(const QStringList& args, CliServices& io);

// A verb's arguments: --help (or -h) prints the verb's help (exit 0), an
// option it does not declare is refused with the reason (exit 2). Nothing
// when the verb should run. Numbers with a minus sign are values, not options.
std::optional<int> CheckVerbArgs(const VerbHelp& verb, const QStringList& args, CliServices& io);

} // namespace qvx
