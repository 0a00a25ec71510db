#include "crystal/SymmetryCif.h"

#include "crystal/SymmetryCifBlock.h"
#include "crystal/SymmetryDoor.h"
#include "geometry/Geometry.h"

#include <gemmi/numb.hpp>

#include <QRegularExpression>
#include <climits>
#include <cmath>

using namespace CifMessages;

namespace {

// The tags read, in this order.
enum Tag { Mineral, Formula, A, B, C, Alpha, Beta, Gamma, NameAlt, NameOld, Number, NumberOld };
const std::vector<std::string> Tags { "_chemical_name_mineral", "_chemical_formula_sum",
    "_cell_length_a", "_cell_length_b", "_cell_length_c", "_cell_angle_alpha", "_cell_angle_beta",
    "_cell_angle_gamma", "_space_group_name_H-M_alt", "_symmetry_space_group_name_H-M",
    "_space_group_IT_number", "_symmetry_Int_Tables_number" };

QString TagName(Tag tag)
{
    return QString::fromStdString(Tags[tag]);
}

QString Text(const CifValue& value)
{
    return QString::fromUtf8(value.text.data(), qsizetype(value.text.size())).simplified();
}

// Present, known and not blank.
bool Given(const CifValue& value)
{
    return value.present && !value.null && !Text(value).isEmpty();
}

// The cell as the file gives it, or why it cannot be read.
std::variant<LatticeParameters, QString> Cell(const CifBlockRead& read)
{
    std::array<double, 6> cell { 0, 0, 0, 90, 90, 90 };
    for (int tag = A; tag <= Gamma; ++tag) {
        const CifValue& value = read.values[std::size_t(tag)];
        const bool angle = tag >= Alpha;
        // The CIF dictionary's angles default to 90 degrees.
        if (!value.present && angle)
            continue;
        if (!value.present)
            return Missing.arg(TagName(Tag(tag)));
        if (value.null)
            return NoValue.arg(TagName(Tag(tag)));
        const double number = gemmi::cif::as_number(value.text);
        if (std::isnan(number))
            return NotNumber.arg(TagName(Tag(tag)), Text(value));
        cell[std::size_t(tag - A)] = number;
    }
    return LatticeParameters { cell[0], cell[1], cell[2], cell[3], cell[4], cell[5] };
}

// A symmetry operation as CIF files write them ("-x+1/2, y, z"), checked
// first so that the tables' reader never meets numbers it could overflow.
std::optional<gemmi::Op> Operation(const std::string& text)
{
    static const QRegularExpression form(
        QStringLiteral("^\\s*[-+xyzXYZ0-9/. ]+,[-+xyzXYZ0-9/. ]+,[-+xyzXYZ0-9/. ]+\\s*$"));
    static const QRegularExpression longNumber(QStringLiteral("[0-9]{3}"));
    const QString op = QString::fromStdString(text);
    if (op.size() > 64 || !form.match(op).hasMatch() || longNumber.match(op).hasMatch())
        return std::nullopt;
    try {
        return gemmi::parse_triplet(text).wrap();
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// The group the listed operations make, or why they make none.
std::variant<const gemmi::SpaceGroup*, QString> ByOperations(const CifBlockRead& read)
{
    const QString tag = QString::fromStdString(read.operationsTag);
    // No space group has more operations than the 192 of F m -3 m.
    if (read.operations.size() > 192)
        return OperationsNoGroup.arg(tag);
    std::vector<gemmi::Op> ops;
    for (const std::string& text : read.operations) {
        const std::optional<gemmi::Op> op = Operation(text);
        if (!op)
            return BadOperation.arg(tag, QString::fromUtf8(text.data(), qsizetype(text.size())));
        ops.push_back(*op);
    }
    if (const gemmi::SpaceGroup* found
        = gemmi::find_spacegroup_by_ops(gemmi::split_centering_vectors(ops)))
        return found;
    return OperationsNoGroup.arg(tag);
}

// The file's space group, in the file's setting, or why there is none.
std::variant<const gemmi::SpaceGroup*, QString> Group(
    const CifBlockRead& read, const LatticeParameters& cell)
{
    QString unknown;
    for (Tag tag : { NameAlt, NameOld }) {
        const CifValue& value = read.values[tag];
        if (!Given(value))
            continue;
        if (const gemmi::SpaceGroup* found
            = SpaceGroupDoor::FindByName(Text(value), cell.alpha, cell.gamma))
            return found;
        unknown = UnknownGroup.arg(TagName(tag), Text(value));
        break;
    }
    if (!read.operations.empty())
        return ByOperations(read);
    if (!unknown.isEmpty())
        return unknown;
    for (Tag tag : { Number, NumberOld }) {
        const CifValue& value = read.values[tag];
        if (!Given(value))
            continue;
        bool whole = false;
        const int number = Text(value).toInt(&whole);
        if (!whole || number < 1 || number > 230)
            return UnknownGroup.arg(TagName(tag), Text(value));
        const gemmi::SpaceGroup* standard = gemmi::find_spacegroup_by_number(number);
        // The cell tells rhombohedral axes from hexagonal ones.
        if (standard->ext == 'H')
            return SpaceGroupDoor::FindByName(
                QString::fromLatin1(standard->hm), cell.alpha, cell.gamma);
        return standard;
    }
    return NoGroup;
}

double CosDegrees(double degrees)
{
    return std::cos(degrees * Pi / 180.0);
}

// Whether every operation of the point group keeps the cell's lengths and
// angles: R^T G R = G for the metric G, to the precision files give cells.
bool HasSymmetry(const LatticeParameters& p, const SpaceGroup& group)
{
    const double ab = p.a * p.b * CosDegrees(p.gamma), ac = p.a * p.c * CosDegrees(p.beta),
                 bc = p.b * p.c * CosDegrees(p.alpha);
    const double g[3][3] = { { p.a * p.a, ab, ac }, { ab, p.b * p.b, bc }, { ac, bc, p.c * p.c } };
    for (const IntMatrix3& r : group.pointOperations()) {
        for (std::size_t i = 0; i < 3; ++i) {
            for (std::size_t j = 0; j < 3; ++j) {
                double moved = 0.0;
                for (std::size_t k = 0; k < 3; ++k)
                    for (std::size_t l = 0; l < 3; ++l)
                        moved += r[k][i] * g[k][l] * r[l][j];
                if (!(std::fabs(moved - g[i][j]) <= 2e-3 * std::sqrt(g[i][i] * g[j][j])))
                    return false;
            }
        }
    }
    return true;
}

// The group's operations in new axes a', b', c' that are the old b, c, a
// (or c, a, b): x_old = M x_new, each operation becomes M^-1 op M.
const gemmi::SpaceGroup* Permuted(const SpaceGroup& group, const gemmi::Op::Rot& m)
{
    const gemmi::Op forward { m, { 0, 0, 0 } };
    const gemmi::Op back = forward.inverse();
    const gemmi::GroupOps& old = SpaceGroupDoor::Operations(group);
    gemmi::GroupOps moved;
    for (const gemmi::Op& op : old.sym_ops)
        moved.sym_ops.push_back(back * op * forward);
    for (const gemmi::Op::Tran& centring : old.cen_ops)
        moved.cen_ops.push_back(
            (back * gemmi::Op { gemmi::Op::identity().rot, centring } * forward).tran);
    return gemmi::find_spacegroup_by_ops(moved);
}

struct Setting
{
    SpaceGroup group;
    LatticeParameters cell;
    QString note;
};

// The group and cell in the program's settings: monoclinic with the unique
// axis b, rhombohedral on hexagonal axes (obverse).
std::optional<Setting> ProgramSetting(const SpaceGroup& group, const LatticeParameters& p)
{
    const gemmi::SpaceGroup& entry = SpaceGroupDoor::Entry(group);
    if (entry.ext == 'R') {
        const gemmi::SpaceGroup* hexagonal
            = gemmi::find_spacegroup_by_name(std::string(entry.hm) + ":H");
        if (!hexagonal)
            return std::nullopt;
        const double a = 2.0 * p.a * std::sin(p.alpha * Pi / 360.0);
        const double c = p.a * std::sqrt(3.0 * (1.0 + 2.0 * CosDegrees(p.alpha)));
        return Setting { SpaceGroupDoor::Of(*hexagonal), { a, a, c, 90, 90, 120 },
            ToHexagonalAxes };
    }
    if (group.system() != LatticeSystem::Monoclinic)
        return Setting { group, p, {} };
    const std::optional<int> axis = SpaceGroupDoor::UniqueAxis(SpaceGroupDoor::Operations(group));
    if (axis == 1)
        return Setting { group, p, {} };
    constexpr int D = gemmi::Op::DEN;
    // Unique c: a' = b, b' = c, c' = a; unique a: a' = c, b' = a, c' = b.
    // A cyclic change keeps the axes right-handed.
    const bool c = axis == 2;
    const gemmi::Op::Rot m = c ? gemmi::Op::Rot { { { 0, 0, D }, { D, 0, 0 }, { 0, D, 0 } } }
                               : gemmi::Op::Rot { { { 0, D, 0 }, { 0, 0, D }, { D, 0, 0 } } };
    const gemmi::SpaceGroup* found = Permuted(group, m);
    if (!found)
        return std::nullopt;
    const LatticeParameters cell = c
        ? LatticeParameters { p.b, p.c, p.a, p.beta, p.gamma, p.alpha }
        : LatticeParameters { p.c, p.a, p.b, p.gamma, p.alpha, p.beta };
    return Setting { SpaceGroupDoor::Of(*found), cell,
        ToUniqueAxisB.arg(QLatin1Char(c ? 'c' : 'a')) };
}

// The parser's own words in the window's language; words it has no
// translation for stay as they are, as a detail, and its bare "parse
// error" says nothing the message does not.
QString SyntaxReason(const std::string& words)
{
    static const std::pair<const char*, const QString*> Reasons[] = { { "unterminated 'string'",
                                                                          &UnterminatedSingle },
        { "unterminated \"string\"", &UnterminatedDouble },
        { "unterminated text field", &UnterminatedText }, { "unnamed save_ frame", &UnnamedFrame },
        { "expected block header (data_)", &NoBlockHeader },
        { "Wrong number of values in the loop", &LoopValues },
        { "tag without value", &TagWithoutValue }, { "parse error", nullptr } };
    for (const auto& [english, japanese] : Reasons)
        if (words == english)
            return japanese ? *japanese : QString();
    return QString::fromStdString(words);
}

QString CrystalName(const CifBlockRead& read)
{
    for (Tag tag : { Mineral, Formula })
        if (Given(read.values[tag]))
            return Text(read.values[tag]);
    // gemmi names the blocks of data_ and global_ without a name so.
    const QString block
        = QString::fromUtf8(read.blockName.data(), qsizetype(read.blockName.size()));
    return block == QLatin1String("#") ? QString() : block;
}

} // namespace

std::variant<CifCrystal, QString> ReadCif(const QByteArray& bytes)
{
    const CifBlockRead read = ReadCifBlock(bytes.constData(), std::size_t(bytes.size()), Tags);
    if (!read.error.empty()) {
        const QString why = SyntaxReason(read.error);
        if (read.line > 0)
            return why.isEmpty() ? SyntaxAtPlain.arg(read.line).arg(read.column)
                                 : SyntaxAt.arg(read.line).arg(read.column).arg(why);
        return Syntax.arg(why);
    }
    if (!read.found)
        return Missing.arg(TagName(A));
    if (!read.twice.empty())
        return Twice.arg(QString::fromUtf8(read.twice.data(), qsizetype(read.twice.size())));
    if (!read.noValue.empty())
        return NoValue.arg(QString::fromUtf8(read.noValue.data(), qsizetype(read.noValue.size())));

    const auto cell = Cell(read);
    if (const QString* why = std::get_if<QString>(&cell))
        return *why;
    const LatticeParameters& given = std::get<LatticeParameters>(cell);
    // Lengths, angles and a closing cell first, so that the rest computes
    // with a real cell.
    const auto asGiven = Lattice::Make(LatticeSystem::Triclinic, given);
    if (const QString* why = std::get_if<QString>(&asGiven))
        return BadCell.arg(*why);

    const auto found = Group(read, given);
    if (const QString* why = std::get_if<QString>(&found))
        return *why;
    const SpaceGroup fileGroup = SpaceGroupDoor::Of(*std::get<const gemmi::SpaceGroup*>(found));
    if (!HasSymmetry(given, fileGroup))
        return CellMisfit.arg(fileGroup.name(), SystemName(fileGroup.system()));
    const std::optional<Setting> setting = ProgramSetting(fileGroup, given);
    if (!setting)
        return CellMisfit.arg(fileGroup.name(), SystemName(fileGroup.system()));

    const auto lattice = Lattice::Make(setting->group.system(), setting->cell);
    if (const QString* why = std::get_if<QString>(&lattice))
        return BadCell.arg(*why);
    return CifCrystal { CrystalName(read), std::get<Lattice>(lattice), setting->group,
        int(std::min<std::size_t>(read.atomSites, INT_MAX)), setting->note };
}
