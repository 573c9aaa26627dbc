#include "base/Services.h"

#include <QCoreApplication>

namespace qvx {

QString Services::MessageBoxCaption(MsgIcon iconKind, MsgLanguage language) {
    static const char* const japanese[] = {"警告", "情報", "確認", "エラー"};
    static const char* const english[] = {
        QT_TRANSLATE_NOOP("Services", "Warning"), QT_TRANSLATE_NOOP("Services", "Information"),
        QT_TRANSLATE_NOOP("Services", "Question"), QT_TRANSLATE_NOOP("Services", "Error")};
    int icon = int(iconKind);
    if (icon < 0 || icon > 3) icon = 1;
    // Captions of the Japanese language stay Japanese whatever the program speaks.
    if (language == MsgLanguage::English)
        return QCoreApplication::translate("Services", english[icon]);
    return QString::fromUtf8(japanese[icon]);
}

QString Services::MessageBoxText(int textIndex, const QString& text) {
    if (textIndex == 0) return text;
    static const char* const table[] = {"DATA NAMEの入力", "DATA NAMEの変更ができます"};
    // The fixed table is indexed by the text index less one.
    const int i = textIndex - 1;
    if (i >= 0 && i < 2) return QString::fromUtf8(table[i]);
    return text;
}

} // namespace qvx
