#include "app/commandline.h"

#include "app/startup.h"
#include "print/engine/paperformat.h"

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace CommandLine {

namespace {

enum class Kind {
    Command,     // must come first; the rest of the line belongs to it
    Print,       // only after --print-pdf or --print
    Information, // --help, --version: anywhere
    Window,      // "/clip"
};

struct Option
{
    QString name;
    QString alias;
    QString value; // what follows the option; empty for a switch
    Kind kind;
    QStringList help;
    int low = 0; // a print option's whole-number range
    int high = 0;
};

QStringList paperLines()
{
    QStringList lines{u"用紙（既定は設定ファイルの用紙。「用紙サイズ設定」の一覧の順）:"_s};
    for (const PaperFormat &paper : PaperFormat::all())
        lines.append(u"  %1 %2"_s.arg(paper.number, 2).arg(paper.caption.simplified()));
    return lines;
}

const QList<Option> &options()
{
    static const QList<Option> list = {
        {u"/clip"_s,
         {},
         {},
         Kind::Window,
         {u"クリップボードにコピーしたレシピの文章を解析して、"_s,
          u"入力欄に入れた状態で起動します。"_s}},
        {u"--analyse"_s,
         {},
         u"ファイル"_s,
         Kind::Command,
         {u"レシピの文章のファイル（UTF-8、Shift-JIS、BOM 付き UTF-16）を解析して、"_s,
          u"結果のレシピをエクスポートの形で標準出力に書きます。"_s}},
        {u"--print-pdf"_s,
         {},
         u"出力.pdf"_s,
         Kind::Command,
         {u"レシピを 1 つの PDF ファイルに印刷します（シートの面ごとに 1 ページ）。"_s}},
        {u"--print"_s,
         {},
         u"プリンター名"_s,
         Kind::Command,
         {u"レシピをプリンターに印刷します。用紙の差し替えの確認はしません。"_s}},
        {u"--help"_s, u"-h"_s, {}, Kind::Information, {u"この説明を表示します。"_s}},
        {u"--version"_s, {}, {}, Kind::Information, {u"プログラム名とバージョンを表示します。"_s}},
        {u"--layout"_s,
         {},
         u"1～7"_s,
         Kind::Print,
         {u"印刷の形式（既定は 1）: 1 画像付、2 画像付 2件、3 画像付 3件、"_s,
          u"4 画像付 4件、5 画像なし、6 1行(横罫)、7 1行"_s},
         1,
         7},
        {u"--arrangement"_s,
         {},
         u"0～5"_s,
         Kind::Print,
         {u"面: 0 表、1 表裏交互、2 裏表交互、3 A4 両面、4 ２つ折り、5 超整理手帳"_s,
          u"（既定は超整理手帳の用紙なら 5、ほかは 0）"_s},
         0,
         5},
        {u"--paper"_s,
         {},
         u"0～%1"_s.arg(PaperFormat::count - 1),
         Kind::Print,
         paperLines(),
         0,
         PaperFormat::count - 1},
        {u"--from"_s,
         {},
         u"N"_s,
         Kind::Print,
         {u"N 件目のレシピから印刷します（既定は最初から）。"_s},
         1,
         32000},
        {u"--alignment"_s,
         {},
         {},
         Kind::Print,
         {u"レシピの代わりに、用紙の位置合わせ用のシート（表と裏）を印刷します。"_s}},
    };
    return list;
}

const Option *find(const QString &arg)
{
    const QString name = arg.section(u'=', 0, 0);
    const auto &list = options();
    const auto it = std::find_if(list.begin(), list.end(), [&](const Option &o) {
        return o.name == name || (!o.alias.isEmpty() && o.alias == name);
    });
    return it == list.end() ? nullptr : &*it;
}

// Qt's own options, taken by QApplication; "--" works as well as "-".
bool isToolkitOption(const QString &arg, bool *takesValue)
{
    static const QStringList withValue = {
        u"platform"_s,
        u"platformpluginpath"_s,
        u"platformtheme"_s,
        u"plugin"_s,
        u"qwindowgeometry"_s,
        u"qwindowicon"_s,
        u"qwindowtitle"_s,
        u"session"_s,
        u"style"_s,
        u"stylesheet"_s,
        u"display"_s,
        u"name"_s,
        u"title"_s,
        u"visual"_s,
        u"ncols"_s,
        u"cmap"_s,
        u"im"_s,
    };
    static const QStringList switches = {u"reverse"_s, u"widgetcount"_s, u"nograb"_s, u"dograb"_s,
                                         u"sync"_s};
    QString name = arg.mid(arg.startsWith(u"--"_s) ? 2 : 1);
    const bool joined = name.contains(u'=');
    name = name.section(u'=', 0, 0);
    if (name.startsWith(u"qmljsdebugger"_s))
        return *takesValue = false, true;
    *takesValue = !joined && withValue.contains(name);
    return withValue.contains(name) || switches.contains(name);
}

} // namespace

Request parse(const QStringList &args)
{
    for (const QString &arg : args) {
        if (const Option *o = find(arg); o && o->kind == Kind::Information)
            return {o->name == u"--version"_s ? Action::Version : Action::Help, {}, {}, {}};
    }
    const auto wrong = [](const QString &problem) {
        return Request{Action::Wrong, problem, {}, {}};
    };
    Request request;
    bool first = true; // no argument of ours read yet
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        bool takesValue = false;
        if (arg.startsWith(u'-') && isToolkitOption(arg, &takesValue)) {
            i += takesValue ? 1 : 0;
            continue;
        }
        const bool wasFirst = std::exchange(first, false);
        if (!arg.startsWith(u'-') || arg.size() == 1) {
            if (request.action == Action::Print) {
                if (!request.print.recipeFile.isEmpty())
                    return wrong(u"レシピファイルは一つだけ指定してください: %1"_s.arg(arg));
                request.print.recipeFile = arg;
            } else if (request.action == Action::Analyse) {
                return wrong(u"--analyse のあとのファイルは一つだけです: %1"_s.arg(arg));
            }
            continue; // the frame reads the words of the line for "/clip"
        }
        const Option *o = find(arg);
        if (!o)
            return wrong(u"知らないオプションです: %1"_s.arg(arg));
        if (o->kind == Kind::Command && !wasFirst)
            return wrong(u"%1 は最初に指定してください。"_s.arg(o->name));
        if (o->kind == Kind::Print && request.action != Action::Print)
            return wrong(u"%1 は --print-pdf か --print のあとに指定してください。"_s.arg(o->name));

        if (o->value.isEmpty()) { // a switch
            if (arg != o->name)
                return wrong(u"%1 には値を付けません: %2"_s.arg(o->name, arg));
            request.print.alignment = true;
            continue;
        }
        QString value;
        if (const qsizetype eq = arg.indexOf(u'='); eq > 0)
            value = arg.mid(eq + 1);
        else if (i + 1 < args.size())
            value = args.at(++i);
        if (value.isEmpty())
            return wrong(u"%1 のあとに %2 を指定してください。"_s.arg(o->name, o->value));

        if (o->name == u"--analyse"_s) {
            request.action = Action::Analyse;
            request.analyseFile = value;
        } else if (o->kind == Kind::Command) {
            request.action = Action::Print;
            request.print.pdf = o->name == u"--print-pdf"_s;
            request.print.target = value;
        } else {
            bool ok = false;
            const int n = value.toInt(&ok);
            if (!ok || n < o->low || n > o->high)
                return wrong(u"%1 は %2～%3 の整数で指定してください: %4"_s.arg(o->name)
                                 .arg(o->low)
                                 .arg(o->high)
                                 .arg(value));
            if (o->name == u"--layout"_s)
                request.print.layout = n;
            else if (o->name == u"--arrangement"_s)
                request.print.arrangement = n;
            else if (o->name == u"--paper"_s)
                request.print.paper = n;
            else
                request.print.from = n;
        }
    }
    return request;
}

QString usageText(const QString &program)
{
    // Under "使い方: ", which is eight columns wide on a terminal.
    return u"使い方: %1 [/clip]\n"
           u"        %1 --analyse ファイル\n"
           u"        %1 --print-pdf 出力.pdf [印刷オプション] [レシピファイル]\n"
           u"        %1 --print プリンター名 [印刷オプション] [レシピファイル]\n"
           u"        %1 --help | --version\n"_s.arg(program);
}

QString helpText(const QString &program)
{
    QString text = usageText(program);
    text += u"\nレシピ帳 ～ 毎日のおかずと保存版レシピ ～\n"
            u"オプションなしで起動すると、レシピの一覧と入力欄のウィンドウが開きます。\n"
            u"--analyse、--print-pdf、--print はウィンドウを開かずに働きます。\n"_s;
    const auto list = [&text](std::initializer_list<Kind> kinds) {
        for (const Option &o : options()) {
            if (std::find(kinds.begin(), kinds.end(), o.kind) == kinds.end())
                continue;
            text += u"  "_s + (o.alias.isEmpty() ? QString() : o.alias + u", "_s) + o.name +
                    (o.value.isEmpty() ? QString() : u' ' + o.value) + u'\n';
            for (const QString &line : o.help)
                text += u"      "_s + line + u'\n';
        }
    };
    text += u"\nオプション:\n"_s;
    list({Kind::Window, Kind::Command, Kind::Information});
    text += u"\n印刷オプション（--print-pdf、--print のあとに）:\n"_s;
    list({Kind::Print});
    text += u"  レシピファイル\n"
            u"      印刷するレシピファイル（既定は使用中のレシピファイル）。\n"
            u"\n"
            u"環境変数 QVRECIPE_HOME:\n"
            u"      設定ファイルとレシピファイルを置くフォルダー（プログラムのフォルダー）。\n"
            u"      ないときは、プログラムのあるフォルダーに QVRECIPE.ini があればそこ、\n"
            u"      インストールしたプログラムか、フォルダーに書き込めないときは\n"
            u"      ~/.local/share/qvrecipe、それ以外はプログラムのあるフォルダーです。\n"
            u"\n"
            u"終了コード: 0 成功、1 失敗、2 コマンドラインの誤り\n"_s;
    return text;
}

QString versionText()
{
    return u"QVRECIPE "_s + QString::fromUtf16(Startup::version) + u'\n';
}

} // namespace CommandLine
