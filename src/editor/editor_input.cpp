// What the level maker's keys, presses, drags and buttons do. One event
// does one thing: a press over a button is the button's, not the board's,
// and a release acts on at most one button, judged on the state the
// editor was in when the release came.
#include "editor/editor_local.h"
#include "screens/mode_ids.h"
#include "shell/input.h"
#include "shell/keys.h"
#include "world/levels.h"

namespace {

const int START_RELEASE_COLUMN = 100; // releases right of this place a start point, nothing else
const int FULL_TURN = 360;

const char* const LIST_NAMES[] = {"keep-out polygons", "checkpoints", "race paths"};

PolygonList list() { return currentList(editor.layout); }

Polygon* currentPolygon() {
    PolygonList l = list();
    int k = editor.layout->current;
    return k >= 0 && k < *l.count ? l.polygons[k] : nullptr;
}

Point* draggedVertex() {
    PolygonList l = list();
    PolygonHit d = editor.dragged;
    if (d.polygon < 0 || d.polygon >= *l.count) return nullptr;
    Polygon* p = l.polygons[d.polygon];
    return d.index >= 0 && d.index < p->count ? &p->vertices[d.index] : nullptr;
}

int wrappedDegrees(int degrees) { return (degrees % FULL_TURN + FULL_TURN) % FULL_TURN; }

void placeStart(Point p) {
    LevelLayout* l = editor.layout;
    Point s = storedStart(p);
    l->startX = s.x;
    l->startY = s.y;
    l->startDirection = frameCount % FULL_TURN;
    editor.drawing = false;
    editor.dragged = {-1, -1};
    editor.placingStart = true;
    markEdited();
}

// A vertex near the pointer is picked up; else a vertex goes in at the
// midpoint of a nearby edge.
void pickOrSplit(Point p) {
    PolygonList l = list();
    PolygonHit hit = findVertex(l.polygons, *l.count, p.x, p.y);
    if (hit.polygon >= 0) {
        editor.layout->current = hit.polygon;
        editor.dragged = hit;
        return;
    }
    hit = findEdge(l.polygons, *l.count, p.x, p.y);
    if (hit.polygon < 0) return;
    insertMidpoint(l.polygons[hit.polygon], hit.index);
    editor.layout->current = hit.polygon;
    markEdited();
}

void buttonDown(int x, int y) {
    EditorCommand command;
    if (buttonUnderPointer(&command)) return;
    Point p = layoutPointAt(x, y);
    if (!onBoard(p)) return;
    if (editor.layout->currentKind == KIND_START_POINT) {
        placeStart(p);
    } else if (editor.drawing) {
        Polygon* polygon = currentPolygon();
        Point s = storedPoint(p);
        if (polygon && appendVertex(polygon, s.x, s.y)) markEdited();
    } else {
        pickOrSplit(p);
    }
}

void pointerMove(int x, int y) {
    Point p = layoutPointAt(x, y);
    if (editor.layout->currentKind == KIND_START_POINT) {
        if (leftButtonHeld && editor.placingStart) {
            editor.layout->startDirection = wrappedDegrees(p.x);
            markEdited();
        }
        return;
    }
    Point* vertex = draggedVertex();
    if (vertex && onBoard(p)) {
        *vertex = storedPoint(p);
        markEdited();
    }
}

// A drag ends where the pointer is, or off the board with the vertex gone.
void endDrag(Point p) {
    Point* vertex = draggedVertex();
    Point s = storedPoint(p);
    if (vertex && !onBoard(p)) {
        removeVertex(list().polygons[editor.dragged.polygon], editor.dragged.index);
        markEdited();
    } else if (vertex && (vertex->x != s.x || vertex->y != s.y)) {
        *vertex = s;
        markEdited();
    }
    editor.dragged = {-1, -1};
}

void startPolygon() {
    LevelLayout* l = editor.layout;
    if (newPolygon(l))
        markEdited();
    else if (l->currentKind != KIND_START_POINT)
        setNotice(true, "A level holds no more than %d %s", list().limit, LIST_NAMES[l->currentKind]);
    editor.drawing = true;
}

// Delete takes the current polygon, or in Start Point the start point.
void deleteSelected() {
    LevelLayout* l = editor.layout;
    if (l->currentKind == KIND_START_POINT) {
        if (l->startX == 0 && l->startY == 0) return;
        l->startX = l->startY = l->startDirection = 0;
        markEdited();
    } else if (currentPolygon()) {
        deleteCurrentPolygon(l);
        markEdited();
    }
}

Mode runCommand(Mode self, EditorCommand command) {
    LevelLayout* l = editor.layout;
    switch (command) {
    case COMMAND_END_POLY: editor.drawing = false; break;
    case COMMAND_START_POLY: startPolygon(); break;
    case COMMAND_DELETE: deleteSelected(); break;
    case COMMAND_NEXT_LEVEL:
        if (currentLevel <= LAST_STUNT_LEVEL) changeEditorLevel(currentLevel + LEVEL_TYPE_STEP);
        break;
    case COMMAND_PREVIOUS_LEVEL:
        if (currentLevel >= STUNT_LEVEL_BASE) changeEditorLevel(currentLevel - LEVEL_TYPE_STEP);
        break;
    case COMMAND_PREVIEW: break; // shown while held
    case COMMAND_MASK:
        l->masked = !l->masked;
        markEdited();
        break;
    case COMMAND_MODE:
        l->currentKind = (l->currentKind + 1) % (KIND_START_POINT + 1);
        l->current = -1;
        break;
    case COMMAND_SHOW: return saveEditorLayout() ? MODE_EDITOR_OVERVIEW : self;
    }
    return self;
}

Mode buttonUp(Mode self, int x, int y) {
    editor.placingStart = false;
    if (editor.dragged.polygon >= 0) {
        endDrag(layoutPointAt(x, y));
        return self;
    }
    if (editor.layout->currentKind == KIND_START_POINT && x > START_RELEASE_COLUMN) return self;
    EditorCommand command;
    return buttonUnderPointer(&command) ? runCommand(self, command) : self;
}

// Escape saves and leaves; when the save fails the editor stays, and a
// second Escape leaves without saving.
Mode escape(Mode self) {
    if (saveEditorLayout() || editor.leaveUnsaved) {
        editor.edited = false;
        return MODE_TITLE;
    }
    editor.leaveUnsaved = true;
    editor.notice += "; Escape again leaves without saving";
    return self;
}

Mode keyUp(Mode self, int key) {
    if (key == 0) return self;
    if (key == keyBindings[BIND_ESCAPE]) return escape(self);
    if (key == keyBindings[BIND_UP] && currentLevel < HIGHEST_LEVEL_NUMBER) changeEditorLevel(currentLevel + 1);
    if (key == keyBindings[BIND_DOWN] && currentLevel > 0) changeEditorLevel(currentLevel - 1);
    return self;
}

} // namespace

Mode editorInput(Mode self, const InputEvent& e) {
    if (!editor.layout) return self;
    switch (e.kind) {
    case INPUT_KEY_UP: return keyUp(self, e.key);
    case INPUT_BUTTON_DOWN: buttonDown(e.x, e.y); break;
    case INPUT_POINTER_MOVE: pointerMove(e.x, e.y); break;
    case INPUT_BUTTON_UP: return buttonUp(self, e.x, e.y);
    default: break;
    }
    return self;
}
