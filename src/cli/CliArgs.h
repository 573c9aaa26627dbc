#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

class QCommandLineParser;

namespace qvx {

class CliServices;
struct VerbHelp;

// A verb's arguments as its option table reads them: "--opt value" and
// "--opt=value" alike, "--" ending the options, a number with a minus sign
// taken as a value.
class VerbArgs {
  public:
    // Parses the arguments after the verb. Returns the exit status when the
    // verb is not to run: 0 once its help is printed, 2 after a usage error.
    static std::optional<int> Parse(const VerbHelp& verb, const QStringList& args, VerbArgs& parsed,
                                    CliServices& io);

    const VerbHelp& verb() const { return *m_verb; }
    // The verb's name: "info", or "board write" for an action of a group.
    QString name() const;
    // The last word of the verb's name: "write" for "board write".
    QString action() const;
    const QStringList& positional() const { return m_positional; }
    // Every option given (its long name, without dashes) with its value
    // (empty for a switch), in the order given.
    const QList<std::pair<QString, QString>>& given() const { return m_given; }
    bool has(const QString& name) const;
    QString value(const QString& name) const;

    // Prints "qvx VERB: PROBLEM (see qvx VERB --help)" on standard error and
    // returns the usage error's exit status.
    int usage(const QString& problem, CliServices& io) const;
    // The usage error of an option that must be given, when it is not.
    std::optional<int> require(const QString& name, CliServices& io) const;
    // The usage error of a positional count other than the verb takes.
    std::optional<int> requireCount(qsizetype count, const QString& what, CliServices& io) const;

  private:
    const VerbHelp* m_verb = nullptr;
    QStringList m_positional;
    QList<std::pair<QString, QString>> m_given;
};

// The whole number text stands for, when it lies in lo..hi.
std::optional<int> NumberIn(const QString& text, int lo, int hi);

// What the parser found wrong with args, as part of one line: "unknown
// option --bogus", "missing value after '--slot'".
QString ParserProblem(const QCommandLineParser& parser, const QStringList& args);

// The line of a usage error ("qvx VERB: PROBLEM (see qvx VERB --help)"; for
// an empty verb, qvx's own), exit status 2.
int UsageError(const QString& verb, const QString& problem, CliServices& io);

} // namespace qvx
