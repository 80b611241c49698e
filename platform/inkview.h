/* The InkView calls, callbacks, records and constants this program uses, with
 * the names and layouts of the device's libinkview.so. Only what is used is
 * declared; the desktop stand-in in host/ implements exactly this. */
#ifndef TARN_PLATFORM_INKVIEW_H
#define TARN_PLATFORM_INKVIEW_H

#ifdef __cplusplus
extern "C" {
#endif

typedef int (*iv_handler)(int type, int par1, int par2);
typedef void (*iv_timerproc)();
typedef void (*iv_menuhandler)(int index);
typedef void (*iv_rotatehandler)(int direction);

typedef struct ifont_s {
    char *name;
    char *family;
    int size;
    unsigned char aa, isbold, isitalic, _r1;
    unsigned short charset, _r2;
    int color;
    int height;
    int linespacing;
    int baseline;
    void *fdata;
} ifont;

typedef struct imenu_s {
    short type;
    short index;
    char *text;
    struct imenu_s *submenu;
} imenu;

/* The rectangle record of the library's later generations: 20 bytes. The
 * earliest has a 12-byte one (short x, y, w, h; int flags). Every function
 * that returns it is declared returning this one: on ARM EABI any record over
 * 4 bytes comes back through memory the caller provides, so the 20 bytes are
 * room for either and the library writes nothing past them. Which of the two
 * the bytes hold is found at start (platform/platform_library.h); nothing
 * else reads this record. */
typedef struct irect_s {
    int x, y, w, h;
    int flags;
} irect;

/* A touch point's record: 24 or 32 bytes a point, its first field a 4-byte or
 * a 1-byte flag, by generation. Only platform/platform_library.cpp reads
 * these records, by the layout it found; elsewhere they stay opaque. */
typedef struct iv_mtinfo_s iv_mtinfo;

enum {
    EVT_INIT = 21,
    EVT_EXIT = 22,
    EVT_SHOW = 23,
    EVT_KEYPRESS = 25,
    EVT_KEYRELEASE = 26,
    EVT_KEYREPEAT = 28,
    EVT_POINTERUP = 29,
    EVT_POINTERDOWN = 30,
    EVT_POINTERMOVE = 31,
    EVT_POINTERLONG = 34,
    EVT_POINTERHOLD = 35,
    EVT_MTSYNC = 39,
    EVT_POINTERDRAG = 44,
    /* The system took the touch in progress over (not on the earliest library). */
    EVT_POINTERCANCEL = 45
};

/* KEY_PREV2 and KEY_NEXT2: the page keys of some readers (not on the earliest library). */
enum { KEY_MENU = 23, KEY_PREV = 24, KEY_NEXT = 25, KEY_PREV2 = 28, KEY_NEXT2 = 29 };

enum { ITEM_ACTIVE = 2, ITEM_INACTIVE = 3, ITEM_SUBMENU = 5, ITEM_BULLET = 7 };

enum { ALIGN_CENTER = 2, VALIGN_MIDDLE = 32 };

enum { BLACK = 0x000000, WHITE = 0xFFFFFF };

void InkViewMain(iv_handler handler);
void OpenScreen(void);
void CloseApp(void);
int ScreenWidth(void);
int ScreenHeight(void);
int GetOrientation(void);
void SetOrientation(int orientation);
void ClearScreen(void);
void SoftUpdate(void);
void PartialUpdate(int x, int y, int w, int h);
void FillArea(int x, int y, int w, int h, int color);
void DrawRect(int x, int y, int w, int h, int color);
void DrawLine(int x1, int y1, int x2, int y2, int color);
void InvertArea(int x, int y, int w, int h);
ifont *OpenFont(const char *name, int size, int aa);
void CloseFont(ifont *font);
void SetFont(const ifont *font, int color);
int StringWidth(const char *s);
void DrawString(int x, int y, const char *s);
char *DrawTextRect(int x, int y, int w, int h, const char *s, int flags);
void SetWeakTimer(const char *name, iv_timerproc proc, int ms);
void ClearTimer(iv_timerproc proc);
void OpenMenu(imenu *menu, int pos, int x, int y, iv_menuhandler handler);
void OpenRotateBox(iv_rotatehandler handler);

/* Optional: not every firmware has them, so the program looks them up with
 * dlsym (platform/platform_library.cpp). */
typedef irect (*GetMenuRect_fn)(imenu *menu);
/* A rectangle record of these five values. */
typedef irect (*iRect_fn)(int x, int y, int w, int h, int flags);
/* The records of the touch points: of the latest multi-touch event, or of the
 * container EVT_MTSYNC names in its first parameter. */
typedef iv_mtinfo *(*GetTouchInfo_fn)(void);
typedef iv_mtinfo *(*GetTouchInfoI_fn)(unsigned index);
/* The whole panel refreshed fully, clearing the traces partial updates leave. */
typedef void (*FullUpdate_fn)(void);
/* One rectangle refreshed in black and white only, much sooner than
 * PartialUpdate's grey: DynamicUpdateA2 (the quickest, not on every
 * firmware), DynamicUpdateBW and PartialUpdateBW. */
typedef void (*MonochromeUpdate_fn)(int x, int y, int w, int h);

#ifdef __cplusplus
}
#endif

#endif
