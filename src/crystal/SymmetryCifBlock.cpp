#include "crystal/SymmetryCifBlock.h"

#include <gemmi/cif.hpp>

#include <exception>
#include <unordered_set>

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

// The first tag the block has twice, and the first without a value. The
// parser's own check of the whole file clears a set per block, which grows
// quadratic with the number of blocks: a file of a million tiny blocks took
// minutes.
void CheckTags(const gemmi::cif::Block& block, CifBlockRead& read)
{
    std::unordered_set<std::string> seen;
    const auto see = [&](const std::string& tag) {
        if (!seen.insert(gemmi::to_lower(tag)).second && read.twice.empty())
            read.twice = tag;
    };
    for (const gemmi::cif::Item& item : block.items) {
        if (item.type == gemmi::cif::ItemType::Pair) {
            see(item.pair[0]);
            if (item.pair[1].empty() && read.noValue.empty())
                read.noValue = item.pair[0];
        } else if (item.type == gemmi::cif::ItemType::Loop) {
            for (const std::string& tag : item.loop.tags)
                see(tag);
        }
    }
}

} // namespace

CifBlockRead ReadCifBlock(const char* data, std::size_t size, const std::vector<std::string>& tags)
{
    CifBlockRead read;
    // The parser and the tables report every fault they find by throwing.
    try {
        // As read_memory() does, but with its checks of the tags only in
        // the block that is read (CheckTags).
        tao::pegtl::memory_input<> input(data, size, "CIF");
        gemmi::cif::Document document;
        gemmi::cif::parse_input(document, input);
        for (gemmi::cif::Block& block : document.blocks) {
            if (!block.find_value("_cell_length_a"))
                continue;
            read.found = true;
            CheckTags(block, read);
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
            // Counted, not read with make_small_structure_from_block(): that
            // matches anisotropic rows to sites in quadratic time when their
            // orders differ, two minutes for 150 000 atoms.
            if (const gemmi::cif::Column labels = block.find_values("_atom_site_label"))
                read.atomSites = std::size_t(labels.length());
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
