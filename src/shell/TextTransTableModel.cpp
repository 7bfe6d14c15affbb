#include "shell/TextTransTableModel.h"

#include "core/State.h"
#include "core/Util.h"

namespace {
enum Role { Display = 100, SwitchPairText, ImageIcon, ItemId, SourceType, TargetType };
}

TextTransTableModel::TextTransTableModel(QObject* parent) : StateListModel("TextTransTableModel", parent)
{
    connect(State::instance(), &State::textTransHistoryChange, this,
            qOverload<int>(&TextTransTableModel::updateModel));
}

int TextTransTableModel::rowCount(const QModelIndex&) const
{
    return State::instance()->textTransHistory.size();
}

QHash<int, QByteArray> TextTransTableModel::roleNames() const
{
    return {{ItemId, "itemId"},         {Display, "display"},       {SwitchPairText, "switchPairText"},
            {ImageIcon, "imageIcon"},   {SourceType, "sourceType"}, {TargetType, "targetType"}};
}

QVariant TextTransTableModel::rowData(int row, int role) const
{
    const State* state = State::instance();
    const QVariantMap entry = state->textTransHistory.at(row).toMap();
    const QString sourceName = entry.value("sourceLang").toString();
    const QString targetName = entry.value("targetLang").toString();
    const QString sourceCode = state->langCodeByEnName.value(sourceName).toString();
    const QString targetCode = state->langCodeByEnName.value(targetName).toString();
    switch (role) {
    case ItemId: return entry.value("id").toString();
    case Display: return entry.value("text").toString().replace('\n', ' ');
    case SwitchPairText: return switchPairText(sourceCode, sourceName, targetCode, targetName);
    case ImageIcon: return entry.value("type").toString() == QLatin1String("image");
    case SourceType: return sourceCode.isEmpty() ? QStringLiteral("auto") : sourceCode;
    case TargetType: return targetCode;
    default: return QVariant();
    }
}

QString TextTransTableModel::switchPairText(const QString& sourceCode, const QString& sourceName,
                                            const QString& targetCode, const QString& targetName)
{
    const State* state = State::instance();
    const auto side = [state](const QString& code, const QString& name) {
        if (!state->isChineseUi())
            return capitalizeFirst(name);
        if (code.isEmpty())
            return QString();
        return state->textTransLangData().value(code).toMap().value("name").toString();
    };
    return QStringLiteral("%1→%2").arg(side(sourceCode, sourceName), side(targetCode, targetName));
}
