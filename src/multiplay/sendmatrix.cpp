#include "multiplay/sendmatrix.h"

#include "app/trap.h"
#include "link/commandchannel.h"
#include "multiplay/gridrules.h"
#include "multiplay/tonegrid.h"

namespace tonaq {

namespace {

void sendRows(CommandChannel &channel, const ToneGrid &grid) {
    for (int row = 1; row <= kGridRows; ++row) {
        const QString tone = grid.TextMatrix(row, kToneColumn);
        if (tone.isEmpty()) continue;
        const QString fields[] = {tone + u',', grid.TextMatrix(row, kDurationColumn) + u',',
                                  grid.TextMatrix(row, kSpaceColumn) + QStringLiteral("\r\n")};
        for (const QString &field : fields)
            ignoringFailure([&] { channel.Transact(field); });
    }
}

} // namespace

void sendMatrix(CommandChannel &channel, const ToneGrid &grid) {
    if (!channel.Connected()) return;
    bool unitReady = true; // a failed step counts as passed
    ignoringFailure([&] { unitReady = !channel.Transact(QStringLiteral("@")).isEmpty(); });
    if (unitReady)
        ignoringFailure([&] {
            unitReady = channel.Transact(QStringLiteral("F")).contains(QStringLiteral("MM"));
        });
    if (unitReady) sendRows(channel, grid);
    ignoringFailure([&] { channel.Transact(QStringLiteral("\r\n")); });
}

} // namespace tonaq
