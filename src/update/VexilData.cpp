#include "update/VexilData.h"

#include "core/TimeUtil.h"

VexilData::VexilData(int level, const QString& message, const QString& extra)
    : level(level)
    , message(message)
    , extra(extra)
    , time(TimeUtil::currentTimestamp())
{
}

VexilData::~VexilData() = default;
