#include "cli/CliHelp.h"

#include "cli/CliServices.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

namespace qvx {

namespace {

QCommandLineOption valued(const QString& name, const QString& value, const QString& text) {
    return QCommandLineOption(name, text, value);
}

QCommandLineOption flag(const QString& name, const QString& text) {
    return QCommandLineOption(name, text);
}

QCommandLineOption port() {
    return valued(QStringLiteral("port"), QStringLiteral("DEVICE"),
                  QStringLiteral("The serial device of the board (a real one, or the link of "
                                 "`qvx sim`)."));
}

std::vector<VerbHelp> makeVerbs() {
    using S = QStringList;
    std::vector<VerbHelp> v;
    v.push_back(
        {QStringLiteral("info"),
         S{QStringLiteral("info FILE")},
         QStringLiteral("What FILE is (document kind, pose table or unusable), with its data "
                        "name, port mask, control input and item and link counts."),
         {}});
    v.push_back(
        {QStringLiteral("resave"),
         S{QStringLiteral("resave IN OUT")},
         QStringLiteral("Opens IN into an empty chart as the editor does and saves it to OUT."),
         {}});
    v.push_back(
        {QStringLiteral("compile"),
         S{QStringLiteral("compile FILE")},
         QStringLiteral("Compiles the chart of FILE and prints its listing, or the motion "
                        "list of a scenario; a compile error goes to standard error, exit 1."),
         {}});
    v.push_back({QStringLiteral("hex"),
                 S{QStringLiteral("hex FILE")},
                 QStringLiteral("Compiles FILE and prints the rows of its hex view, one per motion "
                                "record."),
                 {}});
    v.push_back(
        {QStringLiteral("convert"),
         S{QStringLiteral("convert IN OUT (--pattern NAME | --entries LIST) [--items LIST]")},
         QStringLiteral("Applies a conversion pattern to the items of IN, as the canvas menu's "
                        "\"Conversion\" does, and saves the chart to OUT."),
         {valued(QStringLiteral("pattern"), QStringLiteral("NAME"),
                 QStringLiteral("A conversion pattern of PATTERN.ini in the settings folder.")),
          valued(QStringLiteral("entries"), QStringLiteral("LIST"),
                 QStringLiteral("The 24 conversion entries of CH1..CH24 as one comma list, empty "
                                "for no entry; quote an entry that holds blanks or commas.")),
          valued(QStringLiteral("items"), QStringLiteral("LIST"),
                 QStringLiteral("The items to convert, numbered as the document's sections ItemN "
                                "(from 0), separated by commas; every item by default. CMP items "
                                "are never converted."))}});
    v.push_back(
        {QStringLiteral("board"),
         S{QStringLiteral("board --port DEVICE [--yes] table"),
           QStringLiteral("board --port DEVICE [--yes] write FILE --slot N [--verify]"),
           QStringLiteral("board --port DEVICE [--yes] read N --out FILE"),
           QStringLiteral("board --port DEVICE diff FILE --slot N"),
           QStringLiteral("board --port DEVICE backup FILE"),
           QStringLiteral("board --port DEVICE restore FILE --yes"),
           QStringLiteral("board --port DEVICE [--yes] delete N --yes"),
           QStringLiteral("board --port DEVICE [--yes] play N | stop | pause"),
           QStringLiteral("board --port DEVICE names [--set FILE]"),
           QStringLiteral("board --port DEVICE options [--OPTION VALUE]..."),
           QStringLiteral("board --port DEVICE servos [--read | --show ID | --copy FROM=TO | --set "
                          "ID PARAM=VALUE...]"),
           QStringLiteral("board --port DEVICE trim [--save FILE | --load FILE | --set CH=OFFSET "
                          "...]"),
           QStringLiteral("board --port DEVICE analog [--ref K=V | --mix K:CH=GAIN | --sensor "
                          "S=THRESHOLD:MOTION | --auto K]..."),
           QStringLiteral("board --port DEVICE receiver [--ref N=V | --auto N]...")},
         QStringLiteral("The main window's board actions and board settings dialogs."),
         {port(),
          flag(QStringLiteral("yes"),
               QStringLiteral("Answer Yes to the questions the action asks (needed to delete and "
                              "restore).")),
          valued(QStringLiteral("slot"), QStringLiteral("N"),
                 QStringLiteral("write, diff: the motion slot (0 = M1), or the scenario slot "
                                "(0 = S1) for a scenario document.")),
          flag(QStringLiteral("verify"),
               QStringLiteral("write: read every motion record back after writing it.")),
          valued(QStringLiteral("out"), QStringLiteral("FILE"),
                 QStringLiteral("read: the document to save the chart read in.")),
          valued(QStringLiteral("set"), QStringLiteral("VALUE"),
                 QStringLiteral("names: a file of channel names, one line each; trim: CH=OFFSET; "
                                "servos: ID followed by PARAM=VALUE arguments.")),
          valued(QStringLiteral("reply-at-end"), QStringLiteral("on|off"),
                 QStringLiteral("options: a report when a motion has played.")),
          valued(QStringLiteral("transmitter"), QStringLiteral("on|off"),
                 QStringLiteral("options: playing from the transmitter.")),
          valued(QStringLiteral("wrx1"), QStringLiteral("on|off"),
                 QStringLiteral("options: control through WRX-1.")),
          valued(QStringLiteral("start-switch"), QStringLiteral("OFF|Mn|Sn"),
                 QStringLiteral("options: the motion of the start switch.")),
          valued(QStringLiteral("power-on"), QStringLiteral("OFF|Mn|Sn"),
                 QStringLiteral("options: the motion played at power-on.")),
          valued(QStringLiteral("alarm"), QStringLiteral("OFF|Mn|Sn"),
                 QStringLiteral("options: the motion played at low voltage.")),
          valued(QStringLiteral("alarm-volts"), QStringLiteral("V"),
                 QStringLiteral("options: the alarm voltage, 5.5 to 15.0.")),
          valued(QStringLiteral("svp"), QStringLiteral("LIST|none"),
                 QStringLiteral("options: the channels driving SVP servos.")),
          flag(QStringLiteral("read"), QStringLiteral("servos: read every SVP servo.")),
          valued(QStringLiteral("show"), QStringLiteral("ID"),
                 QStringLiteral("servos: one servo's parameters.")),
          valued(QStringLiteral("copy"), QStringLiteral("FROM=TO"),
                 QStringLiteral("servos: copy one servo's parameters to another.")),
          valued(QStringLiteral("save"), QStringLiteral("FILE"),
                 QStringLiteral("trim: save the trim to a trim file.")),
          valued(QStringLiteral("load"), QStringLiteral("FILE"),
                 QStringLiteral("trim: load a trim file.")),
          valued(QStringLiteral("ref"), QStringLiteral("K=V"),
                 QStringLiteral("analog: reference of input K; receiver: reference of PA N.")),
          valued(QStringLiteral("mix"), QStringLiteral("K:CH=GAIN"),
                 QStringLiteral("analog: the mixing gain of a channel for input K.")),
          valued(QStringLiteral("sensor"), QStringLiteral("S=THRESHOLD:MOTION"),
                 QStringLiteral("analog: a sensor interrupt.")),
          valued(QStringLiteral("auto"), QStringLiteral("K"),
                 QStringLiteral("analog, receiver: calibrate input K from what it measures."))}});
    v.push_back(
        {QStringLiteral("pose"),
         S{QStringLiteral("pose --port DEVICE send|get|sethome FILE --item N"),
           QStringLiteral("pose --port DEVICE home [FILE --item N]"),
           QStringLiteral("pose --port DEVICE sleep"),
           QStringLiteral("pose --port DEVICE teach FILE --item N --pattern NAME"),
           QStringLiteral("pose --port DEVICE link FILE --item N --pattern NAME (--plus|--minus) "
                          "[--sync]")},
         QStringLiteral("The pose window's exchanges with the robot; a changed item is saved in "
                        "place."),
         {port(),
          valued(QStringLiteral("item"), QStringLiteral("N"),
                 QStringLiteral("The item of the document (N as in its section ItemN).")),
          valued(QStringLiteral("pattern"), QStringLiteral("NAME"),
                 QStringLiteral("teach, link: a link pattern of PATTERN.ini.")),
          flag(QStringLiteral("plus"), QStringLiteral("link: the + movement button.")),
          flag(QStringLiteral("minus"), QStringLiteral("link: the - movement button.")),
          flag(QStringLiteral("sync"),
               QStringLiteral("link: the step goes to the robot first, as with SYNC on."))},
         QStringLiteral(
             "On item N of a QMX document (N as in the document's section ItemN, from 0):\n"
             "  send     send the item's pose to the robot\n"
             "  get      the item takes the robot's live pose (its speed stays); the document is "
             "saved\n"
             "  home     the robot goes to its home position; with a document, the item takes\n"
             "           the home pose at speed 100 and the document is saved\n"
             "  sleep    toggle sleep and run\n"
             "  sethome  the item's pose becomes the board's home position\n"
             "  teach    one press of the teach button with a link pattern of PATTERN.ini:\n"
             "           releases the pattern's TCH channels, or takes the angles of FREE "
             "channels\n"
             "  link     one press of a link movement button (--plus or --minus) with a link\n"
             "           pattern of PATTERN.ini; with --sync the stepped pose goes to the robot\n"
             "           first and the item changes only when it arrived")});
    v.push_back({QStringLiteral("remote"),
                 S{QStringLiteral("remote play N"), QStringLiteral("remote message WPARAM LPARAM")},
                 QStringLiteral("Sends a remote command message to the running editor (numbers "
                                "decimal or 0x hex)."),
                 {}});
    v.push_back(
        {QStringLiteral("sim"),
         S{QStringLiteral("sim --link PATH [--state FILE [--fresh]] [--pace]")},
         QStringLiteral("Runs a simulated QMX board behind a pseudo-terminal until it is stopped; "
                        "SIGUSR1 switches it off and on, keeping its memory."),
         {valued(QStringLiteral("link"), QStringLiteral("PATH"),
                 QStringLiteral("Where the link to the pseudo-terminal is made.")),
          valued(QStringLiteral("state"), QStringLiteral("FILE"),
                 QStringLiteral("Keep the board's stored memory in FILE across restarts; a "
                                "damaged FILE is refused and left as it is.")),
          flag(QStringLiteral("fresh"),
               QStringLiteral("Start with a new board's memory, which replaces FILE.")),
          flag(QStringLiteral("pace"), QStringLiteral("Hold the bytes to 115200 bit/s."))}});
    v.push_back(
        {QStringLiteral("preview"),
         S{QStringLiteral(
             "preview FILE --item N --png OUT [--size WxH] [--view front|side|top|iso] "
             "[--model URDF]")},
         QStringLiteral("Draws the robot in the pose of POS item N to a PNG picture, without a "
                        "window."),
         {valued(QStringLiteral("item"), QStringLiteral("N"),
                 QStringLiteral("The item of the document (N as in its section ItemN).")),
          valued(QStringLiteral("png"), QStringLiteral("OUT"), QStringLiteral("The picture made.")),
          valued(QStringLiteral("size"), QStringLiteral("WxH"),
                 QStringLiteral("Its size in pixels (default 640x480).")),
          valued(QStringLiteral("view"), QStringLiteral("VIEW"),
                 QStringLiteral("front, side, top or iso (the default).")),
          valued(QStringLiteral("model"), QStringLiteral("URDF"),
                 QStringLiteral("The robot model (default: the one installed with Quorvex)."))},
         QStringLiteral("Channels drive the joints as section [RobotChannels] of the settings "
                        "file says;\nwithout it CHn drives the model's n-th moving joint.")});
    return v;
}

// A parser for the verb (or for qvx itself): its options, -h/--help, and
// for qvx --version.
void setUp(QCommandLineParser& p, const VerbHelp* verb) {
    p.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Not the parser's own help option: that adds --help-all for Qt's
    // options, which mean nothing to this tool.
    p.addOption(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                                   QStringLiteral("Shows this help.")));
    if (!verb) {
        p.addVersionOption();
        return;
    }
    for (const QCommandLineOption& o : verb->options)
        p.addOption(o);
}

bool isNegativeNumber(const QString& a) {
    static const QRegularExpression number(QStringLiteral("^-[0-9]"));
    return number.match(a).hasMatch();
}

} // namespace

const std::vector<VerbHelp>& Verbs() {
    static const std::vector<VerbHelp> verbs = makeVerbs();
    return verbs;
}

const VerbHelp* FindVerb(const QString& name) {
    for (const VerbHelp& v : Verbs())
        if (v.name == name) return &v;
    return nullptr;
}

QString HelpText(const VerbHelp* verb) {
    QCommandLineParser p;
    setUp(p, verb);
    QString text;
    if (!verb) {
        text =
            QStringLiteral("Usage: qvx COMMAND [ARGS]\n\nThe Quorvex motion editor's tool for the "
                           "terminal: documents, compiling, the board and its settings, the "
                           "pose window's exchanges and a simulated board.\n\nCommands:\n");
        for (const VerbHelp& v : Verbs())
            text += QStringLiteral("  %1  %2\n").arg(v.name.leftJustified(8), v.description);
        text += QStringLiteral("\n'qvx COMMAND --help' describes a command and its options.\n");
    } else {
        p.setApplicationDescription(verb->details.isEmpty()
                                        ? verb->description
                                        : verb->description + u'\n' + verb->details);
        text = QStringLiteral("Usage: qvx ") +
               verb->synopsis.join(QStringLiteral("\n       qvx ")) + QStringLiteral("\n\n");
    }
    // The parser's own usage line names the program's path: its options and
    // description follow ours.
    QString options = p.helpText();
    options = options.mid(options.indexOf(u'\n') + 1);
    return text + options;
}

std::optional<int> CheckToolArgs(const QStringList& args, CliServices& io) {
    if (args.isEmpty() || !args.first().startsWith(u'-')) return std::nullopt;
    QCommandLineParser p;
    setUp(p, nullptr);
    if (!p.parse(QStringList{QStringLiteral("qvx")} + args)) {
        io.err() << "qvx: " << p.errorText() << Qt::endl
                 << "'qvx --help' lists the commands." << Qt::endl;
        return 2;
    }
    if (p.isSet(QStringLiteral("version"))) {
        io.out() << "qvx " << QCoreApplication::applicationVersion() << Qt::endl;
        return 0;
    }
    if (p.isSet(QStringLiteral("help"))) {
        io.out() << HelpText(nullptr);
        io.out().flush();
        return 0;
    }
    io.err() << "qvx: a command comes first; 'qvx --help' lists them." << Qt::endl;
    return 2;
}

std::optional<int> CheckVerbArgs(const VerbHelp& verb, const QStringList& args, CliServices& io) {
    QCommandLineParser p;
    setUp(p, &verb);
    // A negative number stands in its place as a plain value, so that an
    // option still finds its value.
    QStringList checked{QStringLiteral("qvx")};
    for (const QString& a : args)
        checked << (isNegativeNumber(a) ? QStringLiteral("0") : a);
    if (!p.parse(checked)) {
        io.err() << "qvx " << verb.name << ": " << p.errorText() << Qt::endl
                 << "usage: qvx " << verb.synopsis.join(QStringLiteral("\n       qvx ")) << Qt::endl
                 << "'qvx " << verb.name << " --help' describes its options." << Qt::endl;
        return 2;
    }
    if (p.isSet(QStringLiteral("help"))) {
        io.out() << HelpText(&verb);
        io.out().flush();
        return 0;
    }
    return std::nullopt;
}

} // namespace qvx
