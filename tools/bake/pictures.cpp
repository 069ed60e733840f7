// The menu and screen pictures.
#include "bake/art_text.h"
#include "bake/bake.h"
#include "bake/picture_set.h"

bool bakePictures(const BakeTarget& out) {
    bool ok = bakeMenuPictures(out) && bakeStagePictures(out) && bakeOptionPictures(out);
    art::closeLettering();
    return ok;
}
