#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace qvx {

class CliServices;

// What qvx and each of its verbs accept, described once: the help texts, the
// parsing of the arguments and the refusal of options a verb does not know all
// come from here.
struct VerbHelp {
    // "info", or a group's action such as "board write".
    QString name;
    // The forms the verb is called in, one per line, without "qvx ".
    QStringList synopsis;
    // One line for the list of verbs.
    QString description;
    QList<QCommandLineOption> options;
    // The options with a value that may be given more than once (each use is
    // one change, in the order given); any other one given twice is a usage
    // error.
    QStringList repeatable = {};
};

const std::vector<VerbHelp>& Verbs();
const VerbHelp* FindVerb(const QString& name);

// "board" and "pose" name an action after them; the actions are verbs of
// their own ("board write").
bool IsVerbGroup(const QString& name);

// A parser that knows the verb's options (or, for verb null, qvx's own) and
// -h/--help.
void SetUpParser(QCommandLineParser& parser, const VerbHelp* verb);

// The help text of qvx (verb null) or of one verb, wrapped at 80 columns.
QString HelpText(const VerbHelp* verb);

// The help text of a group: its actions and what each does.
QString GroupHelpText(const QString& group);

// Text broken into lines of at most width terminal columns, each after indent
// blanks: at blanks, and in Japanese between characters (never before closing
// punctuation).
QString Wrapped(const QString& text, int width, int indent = 0);

// How many terminal columns text takes: CJK and full-width characters take two.
int DisplayWidth(const QString& text);

// qvx's own arguments before the verb: --help and --version answer here (exit
// 0), --verbose (-V) is taken off the list and switches the logs on; anything
// else that starts with "-" is refused (exit 2). Nothing when the first
// argument is then a verb to run.
std::optional<int> CheckToolArgs(QStringList& args, CliServices& io);

} // namespace qvx
