#include "platform/mci/drivers/mpv/audio_tracks.h"

#include <mpv/client.h>

#include <cstring>

namespace platform::mci {
namespace {

const mpv_node* member(const mpv_node& map, const char* key) {
    if (map.format != MPV_FORMAT_NODE_MAP || !map.u.list)
        return nullptr;
    const mpv_node_list& members = *map.u.list;
    for (int i = 0; i < members.num; ++i) {
        if (members.keys && std::strcmp(members.keys[i], key) == 0)
            return &members.values[i];
    }
    return nullptr;
}

} // namespace

AudioTracks ReadAudioTracks(const mpv_node& trackList) {
    AudioTracks tracks;
    if (trackList.format != MPV_FORMAT_NODE_ARRAY || !trackList.u.list)
        return tracks;
    const mpv_node_list& list = *trackList.u.list;
    for (int i = 0; i < list.num; ++i) {
        const mpv_node* type = member(list.values[i], "type");
        const mpv_node* id = member(list.values[i], "id");
        if (!type || type->format != MPV_FORMAT_STRING ||
            std::strcmp(type->u.string, "audio") != 0 || !id || id->format != MPV_FORMAT_INT64)
            continue;
        tracks.ids.push_back(id->u.int64);
        const mpv_node* selected = member(list.values[i], "selected");
        if (selected && selected->format == MPV_FORMAT_FLAG && selected->u.flag)
            tracks.selected = tracks.ids.size();
    }
    return tracks;
}

} // namespace platform::mci
