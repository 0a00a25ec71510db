#include "crystal/SymmetryCifBlock.h"

// gemmi formats numbers only when it writes CIF, which the program never
// does; with the C library's formatter it needs no more than the headers.
#define USE_STD_SNPRINTF
#include <gemmi/cif.hpp>
#include <gemmi/smcif.hpp>

#include <exception>

namespace {

CifValue ValueOf(const gemmi::cif::Block& block, const std::string& tag)
{
    CifValue value;
    if (const std::string* raw = block.find_value(tag)) {
        value.present = true;
        value.null = gemmi::cif::is_null(*raw);
        value.text = gemmi::cif::as_string(*raw);
    }
    return value;
}

} // namespace

CifBlockRead ReadCifBlock(const char* data, std::size_t size, const std::vector<std::string>& tags)
{
    CifBlockRead read;
    // The parser and the tables report every fault they find by throwing.
    try {
        gemmi::cif::Document document = gemmi::cif::read_memory(data, size, "CIF");
        for (gemmi::cif::Block& block : document.blocks) {
            if (!block.find_value("_cell_length_a"))
                continue;
            read.found = true;
            read.blockName = block.name;
            for (const std::string& tag : tags)
                read.values.push_back(ValueOf(block, tag));
            for (const char* tag :
                { "_space_group_symop_operation_xyz", "_symmetry_equiv_pos_as_xyz" }) {
                const gemmi::cif::Column column = block.find_values(tag);
                if (!column.item())
                    continue;
                read.operationsTag = tag;
                for (const std::string& op : column)
                    read.operations.push_back(gemmi::cif::as_string(op));
                break;
            }
            read.atomSites = gemmi::make_small_structure_from_block(block).sites.size();
            break;
        }
    } catch (const tao::pegtl::parse_error& e) {
        read = {};
        read.error = std::string(e.message());
        if (!e.positions().empty()) {
            read.line = e.positions().front().line;
            read.column = e.positions().front().column;
        }
    } catch (const std::exception& e) {
        read = {};
        read.error = e.what();
    }
    return read;
}
