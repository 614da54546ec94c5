#include "config/InputLayout.h"

#include "platform/db/Database.h"

namespace vh {

std::vector<int16_t> InputEligibleCategories(CatKind kind)
{
    std::vector<int16_t> out;
    for (int16_t c : defaultInputLayout(kind))
        if (c > 0)
            out.push_back(c);
    return out;
}

LayoutCells BuildLayoutCells(CatKind kind, const CellRow& inputOrder)
{
    LayoutCells cells;
    cells.input = inputOrder;
    size_t next = 0;
    for (int16_t c : InputEligibleCategories(kind)) {
        bool used = false;
        for (int16_t u : inputOrder)
            used = used || u == c;
        if (!used && next < cells.avail.size())
            cells.avail[next++] = c;
    }
    return cells;
}

DropOutcome DropCell(LayoutCells& cells, CellArea target, int targetIndex, CellArea source, int sourceIndex)
{
    int16_t& to = cells.area(target)[size_t(targetIndex)];
    int16_t& from = cells.area(source)[size_t(sourceIndex)];
    if (to > 0)
        return DropOutcome::TargetNotEmpty;
    if (from > 0) {
        to = from;
        from = 0;
    }
    cells.changed = true;
    return DropOutcome::Done;
}

void ClearLayoutCells(LayoutCells& cells, CatKind kind)
{
    cells = BuildLayoutCells(kind, CellRow{});
    cells.changed = true;
}

void DefaultLayoutCells(LayoutCells& cells, CatKind kind)
{
    cells.input = defaultInputLayout(kind);
    cells.avail = CellRow{};
    cells.changed = true;
}

void StoreInputOrder(Database& db, CatKind kind, const CellRow& input)
{
    Transaction t(db);
    const QString type = categoryTypeCode(kind);
    db.execute(QStringLiteral("delete from InputOrder where CategoryType = ?"), {type});
    Statement add = db.prepare(
        QStringLiteral("insert into InputOrder (CategoryType, OrderNumber, CategoryNumber) values (?, ?, ?)"));
    for (int i = 0; i < 32; ++i)
        if (input[size_t(i)] > 0)
            add.run({type, i + 1, input[size_t(i)]});
    t.commit();
}

void StoreLayouts(Database& db, const LayoutCells& player, const LayoutCells& goalie)
{
    Transaction t(db);
    if (player.changed)
        StoreInputOrder(db, CatKind::Player, player.input);
    if (goalie.changed)
        StoreInputOrder(db, CatKind::Goalie, goalie.input);
    t.commit();
}

}  // namespace vh
