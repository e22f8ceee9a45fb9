// The descriptions of disc images that are parsed from bytes in memory: cdrdao
// tables, Nero footers and chunks, CloneCD sheets and Alcohol descriptors.
#include "fuzz/fuzz_targets.h"
#include "fuzz/image_layout_check.h"
#include "platform/disc/alcohol_descriptor.h"
#include "platform/disc/cdrdao_table.h"
#include "platform/disc/clone_cd_sheet.h"
#include "platform/disc/nero_image.h"

namespace fuzz {
namespace {
std::string_view AsText(Input input) {
    return {reinterpret_cast<const char*>(input.data()), input.size()};
}
} // namespace

void FuzzCdrdaoTable(Input input) {
    std::string problem;
    RequireSoundLayout(platform::CdrdaoLayout(AsText(input), ImagesOfAnySize(), problem));
}

void FuzzNeroImage(Input input) {
    std::string problem;
    // The same chunks at the end of a file as long as the bytes, and of a larger one.
    for (const std::uint64_t size : {std::uint64_t{input.size()}, std::uint64_t{1} << 32})
        RequireSoundLayout(platform::NeroLayout(input, {"image.nrg", size}, problem));
}

void FuzzCloneCdSheet(Input input) {
    std::string problem;
    RequireSoundLayout(platform::CloneCdLayout(AsText(input), {"image.img", 3'000'000}, problem));
}

void FuzzAlcoholDescriptor(Input input) {
    std::string problem;
    if (platform::AlcoholDataFile(input, problem))
        RequireSoundLayout(platform::AlcoholLayout(input, {"image.mdf", 5'000'000}, problem));
}

} // namespace fuzz
