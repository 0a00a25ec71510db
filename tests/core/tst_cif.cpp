#include "crystal/CrystalSymmetry.h"
#include "crystal/SymmetryCif.h"

#include <QTest>
#include <cmath>

Q_DECLARE_METATYPE(LatticeSystem)
Q_DECLARE_METATYPE(LatticeParameters)

namespace {

const QByteArray Silicon = R"(# a cubic crystal, with the su in brackets
data_silicon
_chemical_formula_sum 'Si'
_cell_length_a 5.4310(1)
_cell_length_b 5.4310(1)
_cell_length_c 5.4310(1)
_cell_angle_alpha 90
_cell_angle_beta 90
_cell_angle_gamma 90.0
_space_group_name_H-M_alt 'F d -3 m'
)";

// A first block without a cell, then a hexagonal one with a mineral name.
const QByteArray Zincite = R"(data_global
_journal_year 2024
data_zno
_chemical_name_mineral
;
Zincite
;
_chemical_formula_sum 'O Zn'
_cell_length_a 3.25
_cell_length_b 3.25
_cell_length_c 5.207
_cell_angle_gamma 120
_symmetry_space_group_name_H-M P63mc
)";

// A block named x with the cell a b c alpha beta gamma and more items.
QByteArray cif(const char* cell, const QByteArray& more)
{
    const QList<QByteArray> v = QByteArray(cell).split(' ');
    QByteArray file = "data_x\n";
    const char* tags[]
        = { "length_a", "length_b", "length_c", "angle_alpha", "angle_beta", "angle_gamma" };
    for (qsizetype i = 0; i < v.size(); ++i)
        file += QByteArray("_cell_") + tags[i] + ' ' + v[i] + '\n';
    return file + more + '\n';
}

QByteArray cubic(const QByteArray& more)
{
    return cif("4 4 4", more);
}

// P 1 1 21/b, unique axis c, given by its operations only.
const QByteArray UniqueC = cif("5 6 7 90 90 105",
    "loop_ _space_group_symop_operation_xyz 'x, y, z' '-x, -y+1/2, z+1/2' '-x, -y, -z' "
    "'x, y+1/2, -z+1/2'");

} // namespace

class TestCif : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void refused_data();
    void refused();
    void manyAtoms();
};

void TestCif::read_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("group");
    QTest::addColumn<LatticeSystem>("system");
    QTest::addColumn<LatticeParameters>("cell");
    QTest::addColumn<QString>("note");

    QTest::newRow("cubic") << Silicon << "Si"
                           << "F d -3 m" << LatticeSystem::Cubic
                           << LatticeParameters { 5.431, 5.431, 5.431, 90, 90, 90 } << QString();
    QTest::newRow("hexagonal, second block")
        << Zincite << "Zincite"
        << "P 63 m c" << LatticeSystem::Hexagonal
        << LatticeParameters { 3.25, 3.25, 5.207, 90, 90, 120 } << QString();
    // a' = b, b' = c, c' = a: the screw axis along b', the glide now a.
    QTest::newRow("monoclinic, unique axis c")
        << UniqueC << "x"
        << "P 1 21/a 1" << LatticeSystem::Monoclinic << LatticeParameters { 6, 7, 5, 90, 105, 90 }
        << CifMessages::ToUniqueAxisB.arg("c");
    // a = 2 a_R sin(alpha / 2), c = a_R sqrt(3 (1 + 2 cos alpha)), worked out apart.
    QTest::newRow("rhombohedral axes")
        << cif("6 6 6 50 50 50", "_symmetry_Int_Tables_number 166") << "x"
        << "R -3 m" << LatticeSystem::Trigonal
        << LatticeParameters { 5.0714191, 5.0714191, 15.7112101, 90, 90, 120 }
        << CifMessages::ToHexagonalAxes;
    QTest::newRow("number, older tag") << cubic("_symmetry_Int_Tables_number 229") << "x"
                                       << "I m -3 m" << LatticeSystem::Cubic
                                       << LatticeParameters { 4, 4, 4, 90, 90, 90 } << QString();
    QTest::newRow("name before number")
        << cubic("_space_group_IT_number 229\n_symmetry_space_group_name_H-M 'F m 3 m'") << "x"
        << "F m -3 m" << LatticeSystem::Cubic << LatticeParameters { 4, 4, 4, 90, 90, 90 }
        << QString();
}

void TestCif::read()
{
    QFETCH(QByteArray, file);
    QFETCH(LatticeParameters, cell);
    const auto read = ReadCif(file);
    if (const QString* why = std::get_if<QString>(&read))
        QFAIL(qPrintable(*why));
    const CifCrystal& crystal = std::get<CifCrystal>(read);
    QTEST(crystal.name, "name");
    QTEST(crystal.group.name(), "group");
    QTEST(crystal.lattice.system(), "system");
    QTEST(crystal.note, "note");
    const LatticeParameters& p = crystal.lattice.parameters();
    const double got[] = { p.a, p.b, p.c, p.alpha, p.beta, p.gamma };
    const double want[] = { cell.a, cell.b, cell.c, cell.alpha, cell.beta, cell.gamma };
    for (int i = 0; i < 6; ++i)
        QVERIFY2(std::fabs(got[i] - want[i]) < 1e-6, qPrintable(QString::number(got[i], 'g', 10)));
    QVERIFY(std::holds_alternative<CrystalSymmetry>(
        CrystalSymmetry::Make(crystal.lattice, crystal.group)));
}

void TestCif::refused_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message");

    using namespace CifMessages;
    QTest::newRow("unterminated quote") << QByteArray("data_x\n_cell_length_a 'four\n")
                                        << SyntaxAt.arg(2).arg(21).arg(UnterminatedSingle);
    QTest::newRow("tag twice") << cubic("_Cell_Length_B 4") << Twice.arg("_Cell_Length_B");
    QTest::newRow("no value") << QByteArray("data_x\n_cell_length_a\n_cell_length_b 4\n")
                              << NoValue.arg("_cell_length_a");
    QTest::newRow("no cell") << QByteArray("data_x\n_cell_length_b 3\n")
                             << Missing.arg("_cell_length_a");
    QTest::newRow("c unknown") << cubic("_cell_angle_beta ?") << NoValue.arg("_cell_angle_beta");
    QTest::newRow("not a number") << cubic("_cell_angle_beta ninety")
                                  << NotNumber.arg("_cell_angle_beta", "ninety");
    QTest::newRow("no closing cell")
        << cif("4 4 4 150 150 150", "") << BadCell.arg(LatticeMessages::NoCell);
    QTest::newRow("no group") << cubic("") << NoGroup;
    QTest::newRow("unknown group") << cubic("_space_group_name_H-M_alt 'Q 9'")
                                   << UnknownGroup.arg("_space_group_name_H-M_alt", "Q 9");
    QTest::newRow("bad operation")
        << cubic("loop_\n_symmetry_equiv_pos_as_xyz\n'x,y,z'\n'x,y,99999999999999999999*z'")
        << BadOperation.arg("_symmetry_equiv_pos_as_xyz", "x,y,99999999999999999999*z");
    QTest::newRow("operations of no group")
        << cubic("loop_\n_symmetry_equiv_pos_as_xyz\n'x,y,z'\n'y,x,z+1/3'")
        << OperationsNoGroup.arg("_symmetry_equiv_pos_as_xyz");
    QTest::newRow("cubic group, tetragonal cell")
        << cif("4 4 4.1", "_space_group_name_H-M_alt 'F m -3 m'")
        << CellMisfit.arg("F m -3 m", SystemName(LatticeSystem::Cubic));
}

void TestCif::refused()
{
    QFETCH(QByteArray, file);
    const auto read = ReadCif(file);
    QVERIFY(std::holds_alternative<QString>(read));
    QTEST(std::get<QString>(read), "message");
}

void TestCif::manyAtoms()
{
    QByteArray file = cif("10 11 12",
        "_space_group_name_H-M_alt 'P b c a'\nloop_ _atom_site_label "
        "_atom_site_type_symbol _atom_site_fract_x _atom_site_fract_y _atom_site_fract_z\n");
    for (int i = 0; i < 200; ++i)
        file += "C" + QByteArray::number(i) + " C " + QByteArray::number(i / 200.0) + " 0.25 0.5\n";
    const auto read = ReadCif(file);
    QVERIFY(std::holds_alternative<CifCrystal>(read));
    QCOMPARE(std::get<CifCrystal>(read).atomSites, 200);
    QCOMPARE(std::get<CifCrystal>(read).lattice.system(), LatticeSystem::Orthorhombic);
}

QTEST_APPLESS_MAIN(TestCif)
#include "tst_cif.moc"
