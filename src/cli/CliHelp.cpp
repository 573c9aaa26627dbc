#include "cli/CliHelp.h"

#include "cli/CliArgs.h"
#include "cli/CliServices.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLoggingCategory>

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
                  Cli::tr("The serial device of the board (a real one, or the link of "
                          "`qvx sim`)."));
}

QCommandLineOption yes(const QString& text = {}) {
    return flag(QStringLiteral("yes"),
                text.isEmpty() ? Cli::tr("Answer Yes to any question the action asks.") : text);
}

QCommandLineOption slot(const QString& text) {
    return valued(QStringLiteral("slot"), QStringLiteral("N"), text);
}

QCommandLineOption item() {
    return valued(QStringLiteral("item"), QStringLiteral("N"),
                  Cli::tr("The item of the document (N as in its section ItemN)."));
}

QCommandLineOption linkPattern() {
    return valued(QStringLiteral("pattern"), QStringLiteral("NAME"),
                  Cli::tr("A link pattern of PATTERN.ini in the settings folder."));
}

QCommandLineOption onOff(const char* name, const QString& what) {
    return valued(QLatin1String(name), QStringLiteral("on|off"), what);
}

QCommandLineOption motionChoice(const char* name, const QString& what) {
    return valued(QLatin1String(name), QStringLiteral("OFF|Mn|Sn"),
                  Cli::tr("%1: OFF, motion Mn (1..80) or scenario Sn (1..5).").arg(what));
}

// One action of `qvx board` or `qvx pose`: every one takes --port.
VerbHelp action(const char* group, const char* name, QStringList synopsis,
                const QString& description, QList<QCommandLineOption> options,
                QStringList repeatable = {}) {
    options.prepend(port());
    return {QLatin1String(group) + u' ' + QLatin1String(name), synopsis, description, options,
            repeatable};
}

void addBoardActions(std::vector<VerbHelp>& v) {
    using S = QStringList;
    v.push_back(
        action("board", "table", S{QStringLiteral("board --port DEVICE table")},
               Cli::tr("Reads the board's 85-entry motion table (the robot asleep while it reads) "
                       "and prints one row per entry."),
               {yes()}));
    v.push_back(action(
        "board", "write",
        S{QStringLiteral("board --port DEVICE write FILE --slot N [--verify] "
                         "[--yes]")},
        Cli::tr("Compiles the document FILE and writes it to a slot, as the main window's "
                "write button does."),
        {slot(Cli::tr("The motion slot to write (0 = M1), or the scenario slot (0 = S1) "
                      "for a scenario document.")),
         flag(QStringLiteral("verify"), Cli::tr("Read every motion record back after writing it.")),
         yes(Cli::tr("Answer Yes when a motion longer than a slot asks "
                     "first."))}));
    v.push_back(
        action("board", "read", S{QStringLiteral("board --port DEVICE read N --out FILE")},
               Cli::tr("Reads row N of the table (0..79 motions, 80..84 scenarios) and saves the "
                       "rebuilt chart as a document."),
               {valued(QStringLiteral("out"), QStringLiteral("FILE"),
                       Cli::tr("The document to save the chart read in.")),
                yes()}));
    v.push_back(
        action("board", "diff", S{QStringLiteral("board --port DEVICE diff FILE --slot N")},
               Cli::tr("Compiles the document FILE and compares it with what a slot holds; exit "
                       "0 when they are the same, 1 when they differ."),
               {slot(Cli::tr("The motion slot to compare with (0 = M1), or the scenario slot "
                             "(0 = S1) for a scenario document.")),
                yes()}));
    v.push_back(action("board", "backup", S{QStringLiteral("board --port DEVICE backup FILE")},
                       Cli::tr("Reads everything the board keeps into the text file FILE."),
                       {yes()}));
    v.push_back(
        action("board", "restore", S{QStringLiteral("board --port DEVICE restore FILE --yes")},
               Cli::tr("Writes a backup file back onto the board, overwriting all it holds."),
               {yes(Cli::tr("Confirm that the whole board is overwritten "
                            "(required)."))}));
    v.push_back(
        action("board", "delete", S{QStringLiteral("board --port DEVICE delete N --yes")},
               Cli::tr("Clears row N of the motion table (0..79 motions, 80..84 scenarios)."),
               {yes(Cli::tr("Confirm the deletion (required)."))}));
    v.push_back(action(
        "board", "play", S{QStringLiteral("board --port DEVICE play N")},
        Cli::tr("Plays row N of the motion table (0..79 motions, 80..84 scenarios)."), {yes()}));
    v.push_back(action("board", "stop", S{QStringLiteral("board --port DEVICE stop")},
                       Cli::tr("Stops the motion playing."), {yes()}));
    v.push_back(action("board", "pause", S{QStringLiteral("board --port DEVICE pause")},
                       Cli::tr("Pauses the motion playing, or lets it go on."), {yes()}));
    v.push_back(
        action("board", "names", S{QStringLiteral("board --port DEVICE names [--set FILE]")},
               Cli::tr("Prints the 24 channel names stored on the board, or writes new ones as "
                       "the pose window's names dialog does."),
               {valued(QStringLiteral("set"), QStringLiteral("FILE"),
                       Cli::tr("A file of channel names, one line each, CH1 first; "
                               "an empty line keeps the pose window's name.")),
                yes()}));
    v.push_back(action(
        "board", "options", S{QStringLiteral("board --port DEVICE options [--OPTION VALUE]...")},
        Cli::tr("The board options dialog: each option changes what its control changes, in the "
                "order given; prints what the dialog then shows."),
        {onOff("reply-at-end", Cli::tr("A report when a motion has played.")),
         onOff("transmitter", Cli::tr("Playing from the transmitter.")),
         onOff("wrx1", Cli::tr("Control through WRX-1.")),
         motionChoice("start-switch", Cli::tr("The motion of the start switch")),
         motionChoice("power-on", Cli::tr("The motion played at power-on")),
         motionChoice("alarm", Cli::tr("The motion played at low voltage")),
         valued(QStringLiteral("alarm-volts"), QStringLiteral("V"),
                Cli::tr("The alarm voltage, 5.5 to 15.0 in steps of 0.1.")),
         valued(QStringLiteral("svp"), QStringLiteral("LIST|none"),
                Cli::tr("The channels (1..24, separated by commas) driving SVP servos.")),
         yes()}));
    v.push_back(action(
        "board", "servos",
        S{QStringLiteral("board --port DEVICE servos [--read | --show ID | --copy FROM=TO |"),
          QStringLiteral("    --set ID PARAM=VALUE...]")},
        Cli::tr("The servo setup dialog: prints its list, after the one change asked for."),
        {flag(QStringLiteral("read"), Cli::tr("Press the read button: read every SVP servo.")),
         valued(QStringLiteral("show"), QStringLiteral("ID"),
                Cli::tr("Print one servo's parameters (ID 0..23, channel ID + 1).")),
         valued(QStringLiteral("copy"), QStringLiteral("FROM=TO"),
                Cli::tr("Copy one servo's parameters to another, as a drag does.")),
         valued(QStringLiteral("set"), QStringLiteral("ID"),
                Cli::tr("Change the parameters of servo ID; each PARAM=VALUE after it "
                        "names a list column (Stretch1, Punch, Reverse, Limit(L), ...) and "
                        "its value as the list shows it.")),
         yes()}));
    v.push_back(action(
        "board", "trim",
        S{QStringLiteral("board --port DEVICE trim [--save FILE | --load FILE |"),
          QStringLiteral("    --set CH=OFFSET...]")},
        Cli::tr(
            "The trim window: opens it, makes the one change asked for, closes it (which writes "
            "the trim to the board's stored copy) and prints the offsets."),
        {valued(QStringLiteral("save"), QStringLiteral("FILE"),
                Cli::tr("Save the trim to a trim file.")),
         valued(QStringLiteral("load"), QStringLiteral("FILE"), Cli::tr("Load a trim file.")),
         valued(QStringLiteral("set"), QStringLiteral("CH=OFFSET"),
                Cli::tr("Enter OFFSET (from the neutral 16384) in the edit box of channel "
                        "CH (1..24); may be given for several channels.")),
         yes()},
        {QStringLiteral("set")}));
    v.push_back(action(
        "board", "analog",
        S{QStringLiteral("board --port DEVICE analog [--ref K=V | --mix K:CH=GAIN |"),
          QStringLiteral("    --sensor S=THRESHOLD:MOTION | --auto K]...")},
        Cli::tr(
            "The analog input dialog: without changes prints the references, mixing gains and "
            "sensor interrupts the board stores; with changes opens the dialog, makes them in the "
            "order given and closes it, which saves everything to the stored copies."),
        {valued(QStringLiteral("ref"), QStringLiteral("K=V"),
                Cli::tr("Drag the reference bar of input K (1..3) to V (0..1023).")),
         valued(QStringLiteral("mix"), QStringLiteral("K:CH=GAIN"),
                Cli::tr("The gain of channel CH (1..24) on input K: \"x -63\"..\"x -1\", "
                        "\"OFF\", \"x 1\"..\"x 63\".")),
         valued(QStringLiteral("sensor"), QStringLiteral("S=THRESHOLD:MOTION"),
                Cli::tr("Sensor interrupt S (1..6: AD1 first, AD1 second, AD2 first, "
                        "...): its threshold bar dragged to THRESHOLD (-1023..1023), then "
                        "MOTION (OFF, M1..M80, S1..S5) chosen.")),
         valued(QStringLiteral("auto"), QStringLiteral("K"),
                Cli::tr("Press AUTO on input K (1..3).")),
         yes()},
        {QStringLiteral("ref"), QStringLiteral("mix"), QStringLiteral("sensor"),
         QStringLiteral("auto")}));
    v.push_back(action(
        "board", "receiver",
        S{QStringLiteral("board --port DEVICE receiver [--ref N=V | --auto N]...")},
        Cli::tr(
            "The receiver input dialog: opens it, makes the changes in the order given, closes it "
            "(which saves the references to the stored copy) and prints the references, the last "
            "measured values and the button input."),
        {valued(QStringLiteral("ref"), QStringLiteral("N=V"),
                Cli::tr("Drag the reference bar of PA N (1..4) to V (0..127).")),
         valued(QStringLiteral("auto"), QStringLiteral("N"), Cli::tr("Press AUTO on PA N (1..4).")),
         yes()},
        {QStringLiteral("ref"), QStringLiteral("auto")}));
}

void addPoseActions(std::vector<VerbHelp>& v) {
    using S = QStringList;
    v.push_back(action("pose", "send", S{QStringLiteral("pose --port DEVICE send FILE --item N")},
                       Cli::tr("Sends the pose of item N to the robot."), {item()}));
    v.push_back(
        action("pose", "get", S{QStringLiteral("pose --port DEVICE get FILE --item N")},
               Cli::tr("Item N takes the robot's live pose (its speed stays); the document is "
                       "saved."),
               {item()}));
    v.push_back(
        action("pose", "home", S{QStringLiteral("pose --port DEVICE home [FILE --item N]")},
               Cli::tr("The robot goes to its home position; with a document, item N takes the "
                       "home pose at speed 100 and the document is saved."),
               {item()}));
    v.push_back(action("pose", "sleep", S{QStringLiteral("pose --port DEVICE sleep")},
                       Cli::tr("Toggles sleep and run."), {}));
    v.push_back(action("pose", "sethome",
                       S{QStringLiteral("pose --port DEVICE sethome FILE --item N")},
                       Cli::tr("The pose of item N becomes the board's home position."), {item()}));
    v.push_back(action(
        "pose", "teach", S{QStringLiteral("pose --port DEVICE teach FILE --item N --pattern NAME")},
        Cli::tr("One press of the teach button with a link pattern: releases the "
                "pattern's TCH channels, or item N takes the angles of its FREE channels; "
                "the document is saved."),
        {item(), linkPattern()}));
    v.push_back(action(
        "pose", "link",
        S{QStringLiteral("pose --port DEVICE link FILE --item N --pattern NAME"),
          QStringLiteral("    (--plus | --minus) [--sync]")},
        Cli::tr(
            "One press of a link movement button with a link pattern on item N; the document is "
            "saved."),
        {item(), linkPattern(), flag(QStringLiteral("plus"), Cli::tr("The + button.")),
         flag(QStringLiteral("minus"), Cli::tr("The - button.")),
         flag(QStringLiteral("sync"),
              Cli::tr("The stepped pose goes to the robot first, as with SYNC on; the "
                      "item changes only when it arrived."))}));
}

std::vector<VerbHelp> makeVerbs() {
    using S = QStringList;
    std::vector<VerbHelp> v;
    v.push_back({QStringLiteral("info"),
                 S{QStringLiteral("info FILE")},
                 Cli::tr("What FILE is (document kind, pose table or unusable), with its "
                         "data name, port mask, control input and item and link counts."),
                 {}});
    v.push_back({QStringLiteral("resave"),
                 S{QStringLiteral("resave IN OUT")},
                 Cli::tr("Opens IN into an empty chart as the editor does and saves it to "
                         "OUT."),
                 {}});
    v.push_back({QStringLiteral("arrange"),
                 S{QStringLiteral("arrange IN OUT [--grid W,H]")},
                 Cli::tr("Lays the chart of IN out in rows as the canvas menu's \"Arrange\" "
                         "does, with bent links that never run along each other, and "
                         "saves it to OUT."),
                 {valued(QStringLiteral("grid"), QStringLiteral("W,H"),
                         Cli::tr("The grid the items' corners go on (default 10,10)."))}});
    v.push_back({QStringLiteral("compile"),
                 S{QStringLiteral("compile FILE")},
                 Cli::tr("Compiles the chart of FILE and prints its listing, or the motion "
                         "list of a scenario; a compile error goes to standard error, exit "
                         "1."),
                 {}});
    v.push_back({QStringLiteral("hex"),
                 S{QStringLiteral("hex FILE")},
                 Cli::tr("Compiles FILE and prints the rows of its hex view, one per "
                         "motion record."),
                 {}});
    v.push_back(
        {QStringLiteral("convert"),
         S{QStringLiteral("convert IN OUT (--pattern NAME | --entries LIST) [--items LIST]")},
         Cli::tr("Applies a conversion pattern to the items of IN, as the canvas menu's "
                 "\"Conversion\" does, and saves the chart to OUT."),
         {valued(QStringLiteral("pattern"), QStringLiteral("NAME"),
                 Cli::tr("A conversion pattern of PATTERN.ini in the settings folder.")),
          valued(QStringLiteral("entries"), QStringLiteral("LIST"),
                 Cli::tr("The 24 conversion entries of CH1..CH24 as one comma list, empty "
                         "for no entry; quote an entry that holds blanks or commas.")),
          valued(QStringLiteral("items"), QStringLiteral("LIST"),
                 Cli::tr("The items to convert, numbered as the document's sections ItemN "
                         "(from 0), separated by commas; every item by default. CMP items "
                         "are never converted."))}});
    v.push_back({QStringLiteral("check"),
                 S{QStringLiteral("check FILE [--port DEVICE [--slot N]] [--backup FILE]"),
                   QStringLiteral(" [--model URDF]")},
                 Cli::tr("Checks the chart of FILE before it is written and prints one finding a "
                         "line, \"SEVERITY CODE ITEM: message\"; exit 1 when any is an error."),
                 {valued(QStringLiteral("port"), QStringLiteral("DEVICE"),
                         Cli::tr("The board whose options and motion table the chart is checked "
                                 "against; it is only read.")),
                  valued(QStringLiteral("slot"), QStringLiteral("N"),
                         Cli::tr("The motion slot a write would go to (0 = M1): a motion longer "
                                 "than one slot must not run into a slot that holds a motion.")),
                  valued(QStringLiteral("backup"), QStringLiteral("FILE"),
                         Cli::tr("A backup file (qvx board backup) whose options the chart is "
                                 "checked against instead of a board's.")),
                  valued(QStringLiteral("model"), QStringLiteral("URDF"),
                         Cli::tr("A robot model (empty: the shipped one) with the settings "
                                 "file's channel mapping: joint limits, self-collision and "
                                 "stability of every POS pose and of the motion as played."))}});
    v.push_back({QStringLiteral("board"),
                 S{QStringLiteral("board --port DEVICE ACTION ...")},
                 Cli::tr("The main window's board actions and board settings dialogs."),
                 {}});
    addBoardActions(v);
    v.push_back({QStringLiteral("pose"),
                 S{QStringLiteral("pose --port DEVICE ACTION ...")},
                 Cli::tr("The pose window's exchanges with the robot; a changed item is "
                         "saved in place."),
                 {}});
    addPoseActions(v);
    v.push_back({QStringLiteral("remote"),
                 S{QStringLiteral("remote play N"), QStringLiteral("remote message WPARAM LPARAM")},
                 Cli::tr("Sends a remote command message to the running editor (numbers "
                         "decimal or 0x hex)."),
                 {}});
    v.push_back({QStringLiteral("sim"),
                 S{QStringLiteral("sim --link PATH [--state FILE [--fresh]] [--pace]")},
                 Cli::tr("Runs a simulated QMX board behind a pseudo-terminal until it is stopped; "
                         "SIGUSR1 switches it off and on, keeping its memory."),
                 {valued(QStringLiteral("link"), QStringLiteral("PATH"),
                         Cli::tr("Where the link to the pseudo-terminal is made.")),
                  valued(QStringLiteral("state"), QStringLiteral("FILE"),
                         Cli::tr("Keep the board's stored memory in FILE across restarts; a "
                                 "damaged FILE is refused and left as it is.")),
                  flag(QStringLiteral("fresh"),
                       Cli::tr("Start with a new board's memory, which replaces FILE.")),
                  flag(QStringLiteral("pace"), Cli::tr("Hold the bytes to 115200 bit/s."))}});
    v.push_back({QStringLiteral("ports"),
                 S{QStringLiteral("ports [PATH...]")},
                 Cli::tr("Lists the serial devices present, or those given, one a line: path, "
                         "/dev/serial/by-id name, USB vendor:product, description, whether you "
                         "may open it (yes/no); tab-separated, \"-\" for nothing."),
                 {}});
    v.push_back(
        {QStringLiteral("preview"),
         S{QStringLiteral("preview FILE --item N --png OUT"),
           QStringLiteral(" [--size WxH] [--view VIEW] [--model URDF]"),
           QStringLiteral("preview --record M:R --port DEVICE --png OUT"),
           QStringLiteral(" [--size WxH] [--view VIEW] [--model URDF]")},
         Cli::tr("Draws the robot in the pose of POS item N, or of a record on the board, "
                 "to a PNG picture, without a window."),
         {valued(QStringLiteral("item"), QStringLiteral("N"),
                 Cli::tr("The item of the document (N as in its section ItemN).")),
          valued(QStringLiteral("record"), QStringLiteral("M:R"),
                 Cli::tr("Record R (from 1, as the LIST page counts) of motion slot M "
                         "(0 = M1), read from the board.")),
          valued(QStringLiteral("port"), QStringLiteral("DEVICE"),
                 Cli::tr("The serial device of the board, for --record.")),
          valued(QStringLiteral("png"), QStringLiteral("OUT"), Cli::tr("The picture made.")),
          valued(QStringLiteral("size"), QStringLiteral("WxH"),
                 Cli::tr("Its size in pixels (default 640x480).")),
          valued(QStringLiteral("view"), QStringLiteral("VIEW"),
                 Cli::tr("front, side, top or iso (the default).")),
          valued(QStringLiteral("model"), QStringLiteral("URDF"),
                 Cli::tr("The robot model (default: the one installed with Quorvex). "
                         "Channels drive its joints as section [RobotChannels] of the "
                         "settings file says; without it CHn drives the model's n-th "
                         "moving joint."))}});
    v.push_back({QStringLiteral("timeline"),
                 S{QStringLiteral("timeline FILE [--inputs K=V,...] [--csv OUT] [--png OUT]"),
                   QStringLiteral(" [--limit MS]")},
                 Cli::tr("Plays the compiled motion of FILE on a simulated board's player, on a "
                         "clock of its own, and prints the servo outputs every 10 ms of board "
                         "time: a header line \"ms,CH1,...,CH24\", then one line per sample: the "
                         "time in ms and the 24 channels as the pose window shows them (the "
                         "display rates of the settings file), comma-separated; a channel that "
                         "holds no servo position (an output, FREE) is empty. A motion still "
                         "playing at the limit is shown up to it, with a note on standard "
                         "error."),
                 {valued(QStringLiteral("inputs"), QStringLiteral("K=V,..."),
                         Cli::tr("The inputs the CMP branches test: button (0..0xFFFF), pa1..pa4 "
                                 "(0..255), ad1..ad3 (0..16383), cmp (the compare register, "
                                 "-1023..1023); 0x for hex. Unnamed ones keep the simulated "
                                 "board's starting values (all 0).")),
                  valued(QStringLiteral("csv"), QStringLiteral("OUT"),
                         Cli::tr("Write the lines to OUT instead of printing them.")),
                  valued(QStringLiteral("png"), QStringLiteral("OUT"),
                         Cli::tr("Draw the chart of the Timeline page to OUT (1280x720) "
                                 "instead of printing the lines (--csv still writes them).")),
                  valued(QStringLiteral("limit"), QStringLiteral("MS"),
                         Cli::tr("Board time to play at most, 10..600000 (default 60000)."))}});
    return v;
}

// "Usage: " in the user's language.
QString usageLead() {
    return Cli::tr("Usage:") + u' ';
}

// The synopsis lines after lead ("Usage: " or "  "): each form starts with
// "qvx ", a line that goes on the form before it (starting with blanks) is
// indented under it.
QString synopsisText(const VerbHelp& verb, const QString& lead) {
    QString text;
    for (const QString& line : verb.synopsis) {
        const bool goesOn = line.startsWith(u' ');
        text += (text.isEmpty() ? lead : QString(DisplayWidth(lead), u' ')) +
                (goesOn ? QStringLiteral("   ") : QStringLiteral("qvx ")) + line + u'\n';
    }
    return text;
}

// The options of qvx itself (verb null) or of a verb, -h/--help first. Not
// the parser's own help option: that adds --help-all for Qt's options, which
// mean nothing to this tool.
QList<QCommandLineOption> optionsOf(const VerbHelp* verb) {
    QList<QCommandLineOption> options{QCommandLineOption(
        {QStringLiteral("h"), QStringLiteral("help")}, Cli::tr("Shows this help."))};
    if (verb) return options + verb->options;
    options << QCommandLineOption({QStringLiteral("v"), QStringLiteral("version")},
                                  Cli::tr("Displays version information."))
            << QCommandLineOption(
                   {QStringLiteral("V"), QStringLiteral("verbose")},
                   Cli::tr("Log the frames on the serial link, the frames the simulated board "
                           "takes and answers, and the files read and written, on standard "
                           "error."));
    return options;
}

} // namespace

void SetUpParser(QCommandLineParser& p, const VerbHelp* verb) {
    p.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const QCommandLineOption& o : optionsOf(verb))
        p.addOption(o);
}

const std::vector<VerbHelp>& Verbs() {
    static const std::vector<VerbHelp> verbs = makeVerbs();
    return verbs;
}

const VerbHelp* FindVerb(const QString& name) {
    for (const VerbHelp& v : Verbs())
        if (v.name == name) return &v;
    return nullptr;
}

bool IsVerbGroup(const QString& name) {
    return name == QLatin1String("board") || name == QLatin1String("pose");
}

namespace {

// Characters a terminal draws two columns wide: the CJK blocks, kana, hangul
// and the full-width forms.
bool isWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) ||
           (c >= 0x3041 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
           (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) ||
           (c >= 0x20000 && c <= 0x3FFFD);
}

// Japanese line-breaking rules: no line starts with closing punctuation or a
// small kana sound mark, and none ends with an opening bracket.
bool noBreakBefore(char32_t c) {
    static const std::u32string closing =
        U"、。，．・：；！？）」』】〕〉》ー…ぁぃぅぇぉっゃゅょァィゥェォッャュョ）";
    return closing.find(c) != std::u32string::npos || c == U')' || c == U',' || c == U'.' ||
           c == U':' || c == U';';
}
bool noBreakAfter(char32_t c) {
    static const std::u32string opening = U"（「『【〔〈《";
    return opening.find(c) != std::u32string::npos || c == U'(';
}

// The pieces a line may break between: words at blanks, and inside a word
// between characters of which one is wide (Japanese has no blanks), each
// with whether a blank came before it.
struct Piece {
    QString text;
    int width = 0;
    bool blankBefore = false;
};

QList<Piece> piecesOf(const QString& paragraph) {
    QList<Piece> pieces;
    for (const QString& word : paragraph.split(u' ', Qt::SkipEmptyParts)) {
        const std::u32string chars = word.toStdU32String();
        Piece piece{{}, 0, true};
        for (size_t i = 0; i < chars.size(); ++i) {
            const char32_t c = chars[i];
            if (i > 0 && (isWide(c) || isWide(chars[i - 1])) && !noBreakBefore(c) &&
                !noBreakAfter(chars[i - 1])) {
                pieces.append(piece);
                piece = Piece{};
            }
            piece.text += QString::fromUcs4(&c, 1);
            piece.width += isWide(c) ? 2 : 1;
        }
        pieces.append(piece);
    }
    return pieces;
}

} // namespace

int DisplayWidth(const QString& text) {
    int width = 0;
    for (const char32_t c : text.toStdU32String())
        width += isWide(c) ? 2 : 1;
    return width;
}

QString Wrapped(const QString& text, int width, int indent) {
    QString result;
    for (const QString& paragraph : text.split(u'\n')) {
        // A paragraph's own leading blanks stay, and its later lines follow them.
        qsizetype own = 0;
        while (own < paragraph.size() && paragraph[own] == u' ')
            ++own;
        const QString lead(indent + own, u' ');
        QString line = lead;
        int used = int(lead.size());
        for (const Piece& piece : piecesOf(paragraph)) {
            const bool started = used > lead.size();
            const int blank = started && piece.blankBefore ? 1 : 0;
            if (started && used + blank + piece.width > width) {
                result += line + u'\n';
                line = lead;
                used = int(lead.size());
            } else if (blank) {
                line += u' ';
                ++used;
            }
            line += piece.text;
            used += piece.width;
        }
        result += line + u'\n';
    }
    return result;
}

namespace {

// The options as QCommandLineParser lists them (names, then the description
// wrapped beside them within 79 columns), but wrapped by display width, so
// that Japanese descriptions keep to the terminal's width too.
QString optionsText(const QList<QCommandLineOption>& options) {
    QStringList names;
    int widest = 0;
    for (const QCommandLineOption& o : options) {
        QStringList forms;
        for (const QString& n : o.names())
            forms << (n.size() == 1 ? u'-' + n : QStringLiteral("--") + n);
        QString joined = forms.join(QStringLiteral(", "));
        if (!o.valueName().isEmpty()) joined += QStringLiteral(" <") + o.valueName() + u'>';
        widest = std::max(widest, int(joined.size()));
        names << joined;
    }
    const int column = 2 + widest + 2;
    QString text = Cli::tr("Options:") + u'\n';
    for (qsizetype i = 0; i < options.size(); ++i) {
        const QString wrapped = Wrapped(options[i].description(), 79, column);
        text += QStringLiteral("  ") + names[i].leftJustified(widest + 2) + wrapped.mid(column);
    }
    return text;
}

} // namespace

QString HelpText(const VerbHelp* verb) {
    constexpr int kWidth = 80;
    QString text;
    if (!verb) {
        text = usageLead() + QStringLiteral("qvx [--verbose] COMMAND [ARGS]\n\n") +
               Wrapped(Cli::tr("The Quorvex motion editor's tool for the terminal: "
                               "documents, compiling, the board and its settings, the "
                               "pose window's exchanges and a simulated board."),
                       kWidth) +
               u'\n' + Cli::tr("Commands:") + u'\n';
        for (const VerbHelp& v : Verbs()) {
            if (v.name.contains(u' ')) continue;
            const QString entry = Wrapped(v.description, kWidth, 12);
            text += QStringLiteral("  ") + v.name.leftJustified(8) + QStringLiteral("  ") +
                    entry.mid(12);
        }
        text += u'\n' +
                Cli::tr("'%1' describes a command and its options.")
                    .arg(QStringLiteral("qvx COMMAND --help")) +
                QStringLiteral("\n\n");
    } else {
        text =
            synopsisText(*verb, usageLead()) + u'\n' + Wrapped(verb->description, kWidth) + u'\n';
    }
    return text + optionsText(optionsOf(verb));
}

QString GroupHelpText(const QString& group) {
    const VerbHelp* verb = FindVerb(group);
    QString text = synopsisText(*verb, usageLead()) + u'\n' + Wrapped(verb->description, 80) +
                   u'\n' + Cli::tr("Actions:") + u'\n';
    for (const VerbHelp& v : Verbs())
        if (v.name.startsWith(group + u' ')) text += synopsisText(v, QStringLiteral("  "));
    return text + u'\n' +
           Cli::tr("'%1' describes an action and its options.")
               .arg(QStringLiteral("qvx ") + group + QStringLiteral(" ACTION --help")) +
           u'\n';
}

std::optional<int> CheckToolArgs(QStringList& args, CliServices& io) {
    // The tool's own options come before the verb.
    qsizetype own = 0;
    while (own < args.size() && args[own].startsWith(u'-'))
        ++own;
    QCommandLineParser p;
    SetUpParser(p, nullptr);
    if (!p.parse(QStringList{QStringLiteral("qvx")} + args.mid(0, own))) {
        return UsageError({}, ParserProblem(p, args), io);
    }
    if (p.isSet(QStringLiteral("version"))) {
        // not translated: a form
        io.out() << QStringLiteral("qvx %1").arg(QCoreApplication::applicationVersion())
                 << Qt::endl;
        return 0;
    }
    if (p.isSet(QStringLiteral("help"))) {
        io.out() << HelpText(nullptr);
        io.out().flush();
        return 0;
    }
    if (p.isSet(QStringLiteral("verbose"))) {
        // Rules given in QT_LOGGING_RULES still take precedence.
        QLoggingCategory::setFilterRules(QStringLiteral("qvx.link.debug=true\n"
                                                        "qvx.sim.debug=true\n"
                                                        "qvx.doc.debug=true"));
    }
    args.remove(0, own);
    return std::nullopt;
}

} // namespace qvx
