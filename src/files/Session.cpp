#include "files/Session.h"

#include "files/FileAccess.h"
#include "files/FileMessages.h"
#include "plotting/DisplayText.h"
#include "surface/DisplaySettings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>

using namespace FileMessages;

namespace {

// Every version of the format this program reads. Version 2 adds keys that
// a version-1 reader would ignore; they are read only from a file that says
// 2, so a version-1 file opens exactly as it always has.
constexpr int ReadVersions[] = { 1, 2 };

// The version a session is written as: 2 exactly when it holds something
// only version 2 can say, so that everything else is written byte for byte
// as version 1 wrote it. Each version-2 key adds its test here.
int VersionOf(const Session& session)
{
    if (session.figureCaption || session.second)
        return 2;
    if (const FreeViewRecord* free = std::get_if<FreeViewRecord>(&session.view))
        if (free->group || !free->name.isEmpty() || free->net.absences || free->euler || free->tilt
            || free->tiltLimits || free->planeAngles != PlaneAngles::Full
            || free->net.projection != ProjectionKind::Stereographic)
            return 2;
    const bool family = std::any_of(session.entries.begin(), session.entries.end(),
        [](const IndexEntry& entry) { return entry.family.has_value(); });
    return family ? 2 : 1;
}

// The file's keys, each written once here: a later version adds its keys
// beside these and reads them where its section is read.
namespace Key {
constexpr char16_t Version[] = u"orvandeler";
constexpr char16_t View[] = u"view";
constexpr char16_t PlotSize[] = u"plotSize";
constexpr char16_t LineWidth[] = u"lineWidth";
constexpr char16_t Crystal[] = u"crystal";
constexpr char16_t System[] = u"system";
constexpr char16_t Centre[] = u"centre";
constexpr char16_t Up[] = u"up";
constexpr char16_t NetLimit[] = u"netLimit";
constexpr char16_t ZoneCircles[] = u"zoneCircles";
constexpr char16_t WulffNet[] = u"wulffNet";
// Version 2.
constexpr char16_t Projection[] = u"projection";
constexpr char16_t FigureCaption[] = u"figureCaption";
constexpr char16_t Entries[] = u"entries";
constexpr char16_t Plane[] = u"plane";
constexpr char16_t Direction[] = u"direction";
// Version 2.
constexpr char16_t Euler[] = u"euler";
constexpr char16_t Tilt[] = u"tilt";
constexpr char16_t TiltLimits[] = u"tiltLimits";
constexpr char16_t SpaceGroup[] = u"spaceGroup";
constexpr char16_t Name[] = u"name";
constexpr char16_t NetAbsences[] = u"netAbsences";
constexpr char16_t PlaneFamily[] = u"planeFamily";
constexpr char16_t DirectionFamily[] = u"directionFamily";
constexpr char16_t PlaneAngles[] = u"planeAngles";
constexpr char16_t Second[] = u"second";
constexpr char16_t Relation[] = u"relation";
constexpr char16_t Planes[] = u"planes";
constexpr char16_t Directions[] = u"directions";
constexpr char16_t TwinPlane[] = u"twinPlane";
constexpr char16_t TwinAxis[] = u"twinAxis";
constexpr char16_t Variant[] = u"variant";
constexpr char16_t AllVariants[] = u"all";
constexpr char16_t Net[] = u"net";
constexpr char16_t VariantNumbers[] = u"variantNumbers";
constexpr char16_t Colour[] = u"colour";
// The cell's, in the order of LatticeParameters::values().
constexpr const char16_t* Cell[] = { u"a", u"b", u"c", u"alpha", u"beta", u"gamma" };
} // namespace Key

// A key within an object, as a message names it: "crystal.a",
// "second.crystal.a".
QString KeyIn(const QString& object, const char16_t* key)
{
    return object + u'.' + QString::fromUtf16(key);
}

// The values of planeAngles, in the order of the enum.
constexpr const char16_t* PlaneAngleNames[] = { u"full", u"acute" };
// In the order of ProjectionKind.
constexpr const char16_t* ProjectionNames[] = { u"stereographic", u"equal-area" };

constexpr const char16_t* SystemNames[] = { u"cubic", u"tetragonal", u"orthorhombic", u"hexagonal",
    u"trigonal", u"monoclinic", u"triclinic" };

template <std::size_t N> int IndexOf(const char16_t* const (&names)[N], const QString& name)
{
    for (std::size_t i = 0; i < N; ++i)
        if (name == QStringView(names[i]))
            return static_cast<int>(i);
    return -1;
}

template <std::size_t N> QString Listed(const char16_t* const (&names)[N])
{
    QStringList list;
    for (const char16_t* name : names)
        list << QString::fromUtf16(name);
    return list.join(u'、');
}

std::optional<double> WholeIn(const QJsonValue& value, double low, double high)
{
    if (!value.isDouble())
        return std::nullopt;
    const double d = value.toDouble();
    if (!(d >= low && d <= high) || d != std::trunc(d))
        return std::nullopt;
    return d + 0.0; // -0 is 0
}

template <std::size_t N> std::optional<std::array<double, N>> Numbers(const QJsonValue& value)
{
    const QJsonArray array = value.toArray();
    if (!value.isArray() || array.size() != qsizetype(N))
        return std::nullopt;
    std::array<double, N> numbers {};
    for (qsizetype i = 0; i < qsizetype(N); ++i) {
        if (!array[i].isDouble() || !std::isfinite(array[i].toDouble()))
            return std::nullopt;
        numbers[static_cast<std::size_t>(i)] = array[i].toDouble();
    }
    return numbers;
}

std::optional<std::array<double, 3>> ThreeNumbers(const QJsonValue& value)
{
    return Numbers<3>(value);
}

// QJsonParseError counts bytes and stands just past the fault; people count
// characters from 1, which makes the two columns the same number.
QString SyntaxMessage(const QByteArray& bytes, const QJsonParseError& error)
{
    const qsizetype offset = std::clamp<qsizetype>(error.offset, 0, bytes.size());
    qsizetype line = 1;
    qsizetype column = 0;
    for (qsizetype i = 0; i < offset; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == '\n') {
            ++line;
            column = 0;
        } else if ((byte & 0xC0) != 0x80) {
            ++column;
        }
    }
    const QString& text = error.error == QJsonParseError::DeepNesting ? JsonTooDeep
        : error.error == QJsonParseError::IllegalNumber               ? JsonBadNumber
                                                                      : JsonSyntax;
    return text.arg(line).arg(std::max<qsizetype>(column, 1));
}

QString ScalarText(const QJsonValue& value)
{
    if (value.isDouble())
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    if (value.isString())
        return u'"' + value.toString().left(20) + u'"';
    if (value.isBool())
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    return value.isArray() ? QStringLiteral("[…]")
        : value.isObject() ? QStringLiteral("{…}")
                           : QStringLiteral("null");
}

// The version-2 keys of the free view: the Euler angles, the holder's
// limits and its tilt, which must lie within them.
QString ReadHolder(const QJsonObject& root, FreeViewRecord& free)
{
    const QJsonValue euler = root.value(Key::Euler);
    if (!euler.isUndefined()) {
        const auto angles = Numbers<3>(euler);
        if (!angles)
            return NotThreeNumbers.arg(Key::Euler);
        const EulerAngles e { (*angles)[0], (*angles)[1], (*angles)[2] };
        const auto checked = CheckedEuler(e);
        if (const QString* why = std::get_if<QString>(&checked))
            return KeyRefused.arg(Key::Euler, *why);
        // The Euler angles win: centre and up, when the file has them too,
        // say nothing more.
        free.euler = e;
        free.centre = FreeViewRecord().centre;
        free.up.reset();
    }
    const QJsonValue limits = root.value(Key::TiltLimits);
    if (!limits.isUndefined()) {
        const auto numbers = Numbers<2>(limits);
        if (!numbers)
            return NotTwoNumbers.arg(Key::TiltLimits);
        const auto made = TiltLimits::Make((*numbers)[0], (*numbers)[1]);
        if (const QString* why = std::get_if<QString>(&made))
            return KeyRefused.arg(Key::TiltLimits, *why);
        free.tiltLimits = std::get<TiltLimits>(made);
    }
    const QJsonValue tilt = root.value(Key::Tilt);
    if (!tilt.isUndefined()) {
        const auto numbers = Numbers<2>(tilt);
        if (!numbers)
            return NotTwoNumbers.arg(Key::Tilt);
        const auto checked
            = CheckedTilt((*numbers)[0], (*numbers)[1], free.tiltLimits.value_or(TiltLimits {}));
        if (const QString* why = std::get_if<QString>(&checked))
            return KeyRefused.arg(Key::Tilt, *why);
        free.tilt = std::get<HolderTilt>(checked);
    }
    return {};
}

// The crystal's space group and name, which version 2 adds.
QString ReadCrystalSymmetry(const QJsonObject& crystal, FreeViewRecord& free, const QString& object)
{
    const auto named = [&](const char16_t* key) { return KeyIn(object, key); };
    const QJsonValue group = crystal.value(Key::SpaceGroup);
    if (!group.isUndefined()) {
        if (!group.isString())
            return NotString.arg(named(Key::SpaceGroup));
        const std::variant<SpaceGroup, QString> read = SpaceGroup::FromText(group.toString());
        if (const QString* why = std::get_if<QString>(&read))
            return KeyProblem.arg(named(Key::SpaceGroup), *why);
        free.group = std::get<SpaceGroup>(read);
    }
    const QJsonValue name = crystal.value(Key::Name);
    if (!name.isUndefined()) {
        if (!name.isString())
            return NotString.arg(named(Key::Name));
        free.name = name.toString();
    }
    return {};
}

// The crystal's object: its system, the cell parameters the system leaves
// free, and from version 2 on its space group and name. object: how
// messages name it.
QString ReadCrystalObject(
    const QJsonValue& crystalValue, int version, const QString& object, FreeViewRecord& free)
{
    const auto named = [&](const char16_t* key) { return KeyIn(object, key); };
    if (crystalValue.isUndefined())
        return MissingKey.arg(object);
    if (!crystalValue.isObject())
        return NotObject.arg(object);
    const QJsonObject crystal = crystalValue.toObject();
    const QJsonValue system = crystal.value(Key::System);
    if (system.isUndefined())
        return MissingKey.arg(named(Key::System));
    const int systemIndex = IndexOf(SystemNames, system.toString());
    if (!system.isString() || systemIndex < 0)
        return NotOneOf.arg(named(Key::System), Listed(SystemNames));
    free.system = static_cast<LatticeSystem>(systemIndex);

    const std::array<bool, 6> needed = FreeParameters(free.system);
    std::array<double, 6> cell = free.cell.values();
    for (std::size_t i = 0; i < cell.size(); ++i) {
        if (!needed[i])
            continue;
        const QJsonValue value = crystal.value(QStringView(Key::Cell[i]));
        if (value.isUndefined())
            return MissingKey.arg(named(Key::Cell[i]));
        if (!value.isDouble() || !std::isfinite(value.toDouble()))
            return NotFinite.arg(named(Key::Cell[i]));
        cell[i] = value.toDouble();
    }
    free.cell = LatticeParameters::FromValues(cell);
    ApplyFixedCellParameters(free);
    if (version >= 2)
        return ReadCrystalSymmetry(crystal, free, object);
    return {};
}

QString ReadFree(const QJsonObject& root, int version, FreeViewRecord& free)
{
    if (QString error = ReadCrystalObject(
            root.value(Key::Crystal), version, QString::fromUtf16(Key::Crystal), free);
        !error.isEmpty())
        return error;

    const QJsonValue centre = root.value(Key::Centre);
    if (centre.isUndefined() && (version < 2 || root.value(Key::Euler).isUndefined()))
        return MissingKey.arg(Key::Centre);
    if (!centre.isUndefined()) {
        if (const auto numbers = ThreeNumbers(centre))
            free.centre = *numbers;
        else
            return NotThreeNumbers.arg(Key::Centre);
    }
    const QJsonValue up = root.value(Key::Up);
    if (!up.isUndefined()) {
        free.up = ThreeNumbers(up);
        if (!free.up)
            return NotThreeNumbers.arg(Key::Up);
    }
    if (version >= 2) {
        if (QString error = ReadHolder(root, free); !error.isEmpty())
            return error;
    }

    const QJsonValue netLimit = root.value(Key::NetLimit);
    if (!netLimit.isUndefined()) {
        const std::optional<double> limit = WholeIn(netLimit, 1, 10);
        if (!limit)
            return NotWholeInRange.arg(Key::NetLimit).arg(1).arg(10);
        free.net.limit = static_cast<int>(*limit);
    }
    for (const auto& [key, flag] : { std::pair { Key::ZoneCircles, &free.net.zoneCircles },
             std::pair { Key::WulffNet, &free.net.wulffNet },
             std::pair { Key::NetAbsences, &free.net.absences } }) {
        const QJsonValue value = root.value(QStringView(key));
        if (value.isUndefined() || (key == Key::NetAbsences && version < 2))
            continue;
        if (!value.isBool())
            return NotBoolean.arg(QString::fromUtf16(key));
        *flag = value.toBool();
    }
    const QJsonValue planeAngles = root.value(Key::PlaneAngles);
    if (version >= 2 && !planeAngles.isUndefined()) {
        const int index = IndexOf(PlaneAngleNames, planeAngles.toString());
        if (!planeAngles.isString() || index < 0)
            return NotOneOf.arg(Key::PlaneAngles, Listed(PlaneAngleNames));
        free.planeAngles = static_cast<PlaneAngles>(index);
    }
    const QJsonValue projection
        = version >= 2 ? root.value(Key::Projection) : QJsonValue(QJsonValue::Undefined);
    if (!projection.isUndefined()) {
        const int kind = IndexOf(ProjectionNames, projection.toString());
        if (!projection.isString() || kind < 0)
            return NotOneOf.arg(Key::Projection, Listed(ProjectionNames));
        free.net.projection = static_cast<ProjectionKind>(kind);
    }
    return {};
}

QString ReadEntries(
    const QJsonObject& root, int version, bool directionsAllowed, QList<IndexEntry>& entries)
{
    const QJsonValue value = root.value(Key::Entries);
    if (value.isUndefined())
        return MissingKey.arg(Key::Entries);
    if (!value.isArray())
        return NotArray.arg(Key::Entries);
    const QJsonArray array = value.toArray();
    if (array.size() > MaxFileEntries)
        return TooManyEntries;
    entries.reserve(array.size());
    for (qsizetype n = 0; n < array.size(); ++n) {
        const QJsonObject entry = array[n].toObject();
        // An entry has one of these; a family only from version 2 on.
        const std::array<QJsonValue, 4> given { entry.value(Key::Plane),
            entry.value(Key::Direction),
            version >= 2 ? entry.value(Key::PlaneFamily) : QJsonValue(QJsonValue::Undefined),
            version >= 2 ? entry.value(Key::DirectionFamily) : QJsonValue(QJsonValue::Undefined) };
        const auto isGiven = [](const QJsonValue& v) { return !v.isUndefined(); };
        if (std::count_if(given.begin(), given.end(), isGiven) != 1)
            return (version >= 2 ? EntryFormFamily : EntryForm).arg(n + 1);
        const std::size_t form
            = std::size_t(std::find_if(given.begin(), given.end(), isGiven) - given.begin());
        const bool family = form >= 2;
        IndexEntry read { form % 2 == 1 ? IndexKind::Direction : IndexKind::Plane, {}, {} };
        if (!directionsAllowed && (family || read.kind == IndexKind::Direction))
            return (family ? EntryFamily : EntryDirection).arg(n + 1);
        const QJsonArray numbers = given[form].toArray();
        if (numbers.size() != 3)
            return EntryIndex.arg(n + 1);
        for (qsizetype j = 0; j < 3; ++j) {
            const std::optional<double> number = WholeIn(numbers[j],
                std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max());
            if (!number)
                return EntryIndex.arg(n + 1);
            read.index[static_cast<std::size_t>(j)] = static_cast<int16_t>(*number);
        }
        if (read.index == std::array<int16_t, 3> {})
            return EntryZero.arg(n + 1);
        if (family)
            read.family = read.index;
        entries.append(read);
    }
    return {};
}

// Three whole numbers that fit an index.
std::optional<Index3> IndexIn(const QJsonValue& value)
{
    const QJsonArray numbers = value.toArray();
    if (!value.isArray() || numbers.size() != 3)
        return std::nullopt;
    Index3 index {};
    for (qsizetype j = 0; j < 3; ++j) {
        const std::optional<double> number = WholeIn(
            numbers[j], std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max());
        if (!number)
            return std::nullopt;
        index[std::size_t(j)] = int16_t(*number);
    }
    return index;
}

std::optional<std::array<Index3, 2>> IndexPair(const QJsonValue& value)
{
    const QJsonArray pair = value.toArray();
    if (!value.isArray() || pair.size() != 2)
        return std::nullopt;
    const std::optional<Index3> first = IndexIn(pair[0]);
    const std::optional<Index3> second = IndexIn(pair[1]);
    if (!first || !second)
        return std::nullopt;
    return std::array { *first, *second };
}

// How the second crystal is placed: exactly one form.
QString ReadRelation(const QJsonValue& value, SecondPlacement& placement)
{
    const QString object = KeyIn(QString::fromUtf16(Key::Second), Key::Relation);
    if (value.isUndefined())
        return MissingKey.arg(object);
    if (!value.isObject())
        return NotObject.arg(object);
    const QJsonObject relation = value.toObject();
    const bool pairs = relation.contains(Key::Planes) || relation.contains(Key::Directions);
    const int forms = int(relation.contains(Key::Name)) + int(pairs)
        + int(relation.contains(Key::TwinPlane)) + int(relation.contains(Key::TwinAxis))
        + int(relation.contains(Key::Euler));
    if (forms != 1)
        return RelationForm;
    if (relation.contains(Key::Name)) {
        const NamedRelationshipRow* row = FindRelationship(relation.value(Key::Name).toString());
        if (!row) {
            QStringList keys;
            for (const NamedRelationshipRow& named : NamedRelationships())
                keys << QLatin1String(named.key);
            return NotOneOf.arg(KeyIn(object, Key::Name), keys.join(u'、'));
        }
        placement = row->id;
    } else if (pairs) {
        const auto planes = IndexPair(relation.value(Key::Planes));
        if (!planes)
            return NotIndexPair.arg(KeyIn(object, Key::Planes));
        const auto directions = IndexPair(relation.value(Key::Directions));
        if (!directions)
            return NotIndexPair.arg(KeyIn(object, Key::Directions));
        placement = RelationshipDefinition { (*planes)[0], (*planes)[1], (*directions)[0],
            (*directions)[1] };
    } else if (relation.contains(Key::Euler)) {
        const auto angles = Numbers<3>(relation.value(Key::Euler));
        if (!angles)
            return NotThreeNumbers.arg(KeyIn(object, Key::Euler));
        placement = EulerAngles { (*angles)[0], (*angles)[1], (*angles)[2] };
    } else {
        const bool plane = relation.contains(Key::TwinPlane);
        const char16_t* key = plane ? Key::TwinPlane : Key::TwinAxis;
        const std::optional<Index3> index = IndexIn(relation.value(key));
        if (!index)
            return NotIndex.arg(KeyIn(object, key));
        if (plane)
            placement = TwinPlane { *index };
        else
            placement = TwinAxis { *index };
    }
    return {};
}

QString ReadSecond(const QJsonValue& value, SecondRecord& second)
{
    const QString object = QString::fromUtf16(Key::Second);
    if (!value.isObject())
        return NotObject.arg(object);
    const QJsonObject root = value.toObject();
    if (QString error = ReadCrystalObject(
            root.value(Key::Crystal), 2, KeyIn(object, Key::Crystal), second.crystal);
        !error.isEmpty())
        return error;
    if (QString error = ReadRelation(root.value(Key::Relation), second.placement); !error.isEmpty())
        return error;
    const QJsonValue variant = root.value(Key::Variant);
    if (variant.isString() && variant.toString() == QStringView(Key::AllVariants))
        second.variant = AllVariants;
    else if (const std::optional<double> n = WholeIn(variant, 1, 1000))
        second.variant = int(*n);
    else if (!variant.isUndefined())
        return NotVariant;
    for (const auto& [key, flag] : { std::pair { Key::Net, &second.net },
             std::pair { Key::VariantNumbers, &second.variantNumbers },
             std::pair { Key::Colour, &second.colour } }) {
        const QJsonValue v = root.value(QStringView(key));
        if (v.isUndefined())
            continue;
        if (!v.isBool())
            return NotBoolean.arg(KeyIn(object, key));
        *flag = v.toBool();
    }
    if (!root.contains(Key::Entries))
        return {};
    return ReadEntries(root, 2, true, second.entries);
}

QString ReadRoot(const QJsonObject& root, Session& session)
{
    const QJsonValue version = root.value(Key::Version);
    if (version.isUndefined())
        return NotSession;
    if (!version.isDouble()
        || std::find(std::begin(ReadVersions), std::end(ReadVersions), version.toDouble())
            == std::end(ReadVersions))
        return UnknownVersion.arg(ScalarText(version));
    const int fileVersion = static_cast<int>(version.toDouble());

    const QJsonValue view = root.value(Key::View);
    if (view.isUndefined())
        return MissingKey.arg(Key::View);
    const QString id = view.toString();
    const ViewRow* row = FindView(id);
    if (!view.isString() || (!row && id != QStringView(FreeViewId))) {
        QStringList ids;
        for (const ViewRow& documented : DocumentedViews())
            ids << QLatin1String(documented.id);
        ids << QString::fromUtf16(FreeViewId);
        return NotOneOf.arg(Key::View, ids.join(u'、'));
    }

    const QJsonValue plotSize = root.value(Key::PlotSize);
    if (!plotSize.isUndefined()) {
        const QString text = plotSize.isDouble()
            ? QString::number(WholeIn(plotSize, 0, 999).value_or(-1))
            : plotSize.toString();
        if (!ReadPlotSize(text)) {
            QStringList sizes;
            for (int size : PlotSizes)
                sizes << QString::number(size);
            return NotOneOf.arg(Key::PlotSize, sizes.join(u'、'));
        }
        session.plotSize = text;
    }

    const QJsonValue lineWidth = root.value(Key::LineWidth);
    if (!lineWidth.isUndefined()) {
        static const QRegularExpression digits(QStringLiteral("^[0-9]{0,3}$"));
        const std::optional<double> number = WholeIn(lineWidth, 0, 999);
        if (number)
            session.lineWidth = QString::number(*number);
        else if (lineWidth.isString() && digits.match(lineWidth.toString()).hasMatch())
            session.lineWidth = lineWidth.toString();
        else
            return NotDigits.arg(Key::LineWidth);
    }

    const QJsonValue caption
        = fileVersion >= 2 ? root.value(Key::FigureCaption) : QJsonValue(QJsonValue::Undefined);
    if (!caption.isUndefined()) {
        if (!caption.isBool())
            return NotBoolean.arg(QString::fromUtf16(Key::FigureCaption));
        session.figureCaption = caption.toBool();
    }

    if (row) {
        session.view = row;
    } else {
        FreeViewRecord free;
        if (QString error = ReadFree(root, fileVersion, free); !error.isEmpty())
            return error;
        session.view = free;
        const QJsonValue second
            = fileVersion >= 2 ? root.value(Key::Second) : QJsonValue(QJsonValue::Undefined);
        if (!second.isUndefined()) {
            session.second.emplace();
            if (QString error = ReadSecond(second, *session.second); !error.isEmpty())
                return error;
        }
    }
    return ReadEntries(root, fileVersion, row == nullptr, session.entries);
}

// The members of a JSON object, one a line, as the session file shows
// them. The session is written by hand rather than by QJsonDocument, whose
// indented form puts each number of an index on a line of its own: here an
// entry keeps one line, so that a long session stays readable and diffable,
// and every number is the shortest text that reads back as the same double.
class Members
{
public:
    void add(const char16_t* key, const QByteArray& value)
    {
        m_out += m_out.isEmpty() ? "{\n  " : ",\n  ";
        m_out += Quoted(QString::fromUtf16(key)) + ": " + value;
    }
    QByteArray close() const { return m_out + "\n}\n"; }

    static QByteArray Quoted(const QString& text)
    {
        QString escaped;
        for (const QChar c : text) {
            if (c == u'"' || c == u'\\')
                escaped += u'\\';
            if (c.unicode() < 0x20)
                escaped += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                escaped += c;
        }
        return '"' + escaped.toUtf8() + '"';
    }
    static QByteArray Number(double value)
    {
        return std::isfinite(value) ? QByteArray::number(value, 'g', QLocale::FloatingPointShortest)
                                    : QByteArrayLiteral("null");
    }
    template <typename T, std::size_t N> static QByteArray Numbers(const std::array<T, N>& numbers)
    {
        QByteArray out = "[";
        for (std::size_t i = 0; i < N; ++i)
            out += (i > 0 ? ", " : "") + Number(double(numbers[i]));
        return out + ']';
    }
    static QByteArray Boolean(bool value) { return value ? "true" : "false"; }

private:
    QByteArray m_out;
};

// The crystal's object: system, the free cell parameters, group and name.
QByteArray CrystalObject(const FreeViewRecord& free)
{
    QByteArray crystal = "{" + Members::Quoted(QString::fromUtf16(Key::System)) + ": "
        + Members::Quoted(LatticeSystemName(free.system));
    const std::array<bool, 6> needed = FreeParameters(free.system);
    const std::array<double, 6> cell = free.cell.values();
    for (std::size_t i = 0; i < cell.size(); ++i)
        if (needed[i])
            crystal += ", " + Members::Quoted(QString::fromUtf16(Key::Cell[i])) + ": "
                + Members::Number(cell[i]);
    if (free.group)
        crystal += ", " + Members::Quoted(QString::fromUtf16(Key::SpaceGroup)) + ": "
            + Members::Quoted(free.group->name());
    if (!free.name.isEmpty())
        crystal += ", " + Members::Quoted(QString::fromUtf16(Key::Name)) + ": "
            + Members::Quoted(free.name);
    return crystal + '}';
}

void AddFree(Members& members, const FreeViewRecord& free)
{
    members.add(Key::Crystal, CrystalObject(free));
    if (free.euler) {
        members.add(Key::Euler,
            Members::Numbers(std::array { free.euler->phi1, free.euler->Phi, free.euler->phi2 }));
    } else {
        members.add(Key::Centre, Members::Numbers(free.centre));
        if (free.up)
            members.add(Key::Up, Members::Numbers(*free.up));
    }
    if (free.tilt)
        members.add(Key::Tilt, Members::Numbers(std::array { free.tilt->alpha, free.tilt->beta }));
    if (free.tiltLimits)
        members.add(Key::TiltLimits,
            Members::Numbers(std::array { free.tiltLimits->alpha, free.tiltLimits->beta }));
    members.add(Key::NetLimit, QByteArray::number(free.net.limit));
    members.add(Key::ZoneCircles, Members::Boolean(free.net.zoneCircles));
    members.add(Key::WulffNet, Members::Boolean(free.net.wulffNet));
    if (free.net.absences)
        members.add(Key::NetAbsences, Members::Boolean(true));
    if (free.planeAngles != PlaneAngles::Full)
        members.add(Key::PlaneAngles,
            Members::Quoted(QString::fromUtf16(PlaneAngleNames[int(free.planeAngles)])));
    if (free.net.projection != ProjectionKind::Stereographic)
        members.add(Key::Projection,
            Members::Quoted(QString::fromUtf16(ProjectionNames[int(free.net.projection)])));
}

QByteArray EntriesArray(const QList<IndexEntry>& entries, const QByteArray& indent = "  ")
{
    QByteArray out = "[";
    for (qsizetype n = 0; n < entries.size(); ++n) {
        const IndexEntry& entry = entries[n];
        const bool direction = entry.kind == IndexKind::Direction;
        const char16_t* kind = entry.family ? (direction ? Key::DirectionFamily : Key::PlaneFamily)
                                            : (direction ? Key::Direction : Key::Plane);
        out += (n == 0 ? "\n  " : ",\n  ") + indent + '{'
            + Members::Quoted(QString::fromUtf16(kind)) + ": " + Members::Numbers(entry.index)
            + '}';
    }
    return out + (entries.isEmpty() ? QByteArray("]") : "\n" + indent + ']');
}

QByteArray KeyText(const char16_t* key)
{
    return Members::Quoted(QString::fromUtf16(key)) + ": ";
}

QByteArray RelationObject(const SecondPlacement& placement)
{
    const auto index = [](const Index3& i) { return Members::Numbers(i); };
    if (const auto* named = std::get_if<NamedRelationship>(&placement))
        return '{' + KeyText(Key::Name) + Members::Quoted(QLatin1String(RowOf(*named).key)) + '}';
    if (const auto* pairs = std::get_if<RelationshipDefinition>(&placement))
        return '{' + KeyText(Key::Planes) + '[' + index(pairs->parentPlane) + ", "
            + index(pairs->childPlane) + "], " + KeyText(Key::Directions) + '['
            + index(pairs->parentDirection) + ", " + index(pairs->childDirection) + "]}";
    if (const auto* twin = std::get_if<TwinPlane>(&placement))
        return '{' + KeyText(Key::TwinPlane) + index(twin->plane) + '}';
    if (const auto* twin = std::get_if<TwinAxis>(&placement))
        return '{' + KeyText(Key::TwinAxis) + index(twin->direction) + '}';
    const EulerAngles& e = std::get<EulerAngles>(placement);
    return '{' + KeyText(Key::Euler) + Members::Numbers(std::array { e.phi1, e.Phi, e.phi2 }) + '}';
}

QByteArray SecondObject(const SecondRecord& second)
{
    const QByteArray indent = "    ";
    QByteArray out = "{\n" + indent + KeyText(Key::Crystal) + CrystalObject(second.crystal);
    out += ",\n" + indent + KeyText(Key::Relation) + RelationObject(second.placement);
    out += ",\n" + indent + KeyText(Key::Variant)
        + (second.variant == AllVariants ? Members::Quoted(QString::fromUtf16(Key::AllVariants))
                                         : QByteArray::number(second.variant));
    out += ",\n" + indent + KeyText(Key::Net) + Members::Boolean(second.net);
    if (second.variantNumbers)
        out += ",\n" + indent + KeyText(Key::VariantNumbers) + Members::Boolean(true);
    if (second.colour)
        out += ",\n" + indent + KeyText(Key::Colour) + Members::Boolean(true);
    out += ",\n" + indent + KeyText(Key::Entries) + EntriesArray(second.entries, indent);
    return out + "\n  }";
}

} // namespace

QString Session::viewId() const
{
    const ViewRow* const* row = std::get_if<const ViewRow*>(&view);
    return row ? QString::fromLatin1((*row)->id) : QString::fromUtf16(FreeViewId);
}

QString LatticeSystemName(LatticeSystem system)
{
    return QString::fromUtf16(SystemNames[static_cast<int>(system)]);
}

std::optional<LatticeSystem> LatticeSystemFromName(const QString& name)
{
    const int index = IndexOf(SystemNames, name);
    return index < 0 ? std::nullopt : std::optional(static_cast<LatticeSystem>(index));
}

void ApplyFixedCellParameters(FreeViewRecord& record)
{
    record.cell = Constrained(record.system, record.cell);
}

SessionRead ReadSession(const QByteArray& bytes)
{
    SessionRead result;
    const TextRead file = TextOf(bytes);
    if (!file.error.isEmpty() || file.text.trimmed().isEmpty()) {
        result.error = file.error.isEmpty() ? EmptyFile : file.error;
        return result;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        result.error = SyntaxMessage(bytes, parseError);
    else if (!document.isObject())
        result.error = NotSession;
    else
        result.error = ReadRoot(document.object(), result.session);
    if (!result.error.isEmpty())
        result.session = Session();
    return result;
}

QByteArray WriteSession(const Session& session)
{
    // A plot size the list offers is written as the number it is.
    static const QRegularExpression number(QStringLiteral("^[1-9][0-9]{0,2}$"));
    Members members;
    members.add(Key::Version, QByteArray::number(VersionOf(session)));
    members.add(Key::View, Members::Quoted(session.viewId()));
    members.add(Key::PlotSize,
        number.match(session.plotSize).hasMatch() ? session.plotSize.toLatin1()
                                                  : Members::Quoted(session.plotSize));
    members.add(Key::LineWidth, Members::Quoted(session.lineWidth));
    if (session.figureCaption)
        members.add(Key::FigureCaption, Members::Boolean(true));
    if (const FreeViewRecord* free = std::get_if<FreeViewRecord>(&session.view)) {
        AddFree(members, *free);
        if (session.second)
            members.add(Key::Second, SecondObject(*session.second));
    }
    members.add(Key::Entries, EntriesArray(session.entries));
    return members.close();
}
