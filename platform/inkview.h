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

typedef struct irect_s {
    short x, y, w, h;
    int flags;
} irect;

/* One touch point: 24 bytes, x at byte 4 and y at byte 8. */
typedef struct iv_mtinfo_s {
    int active;
    int x;
    int y;
    int pressure;
    int rsv_1;
    int rsv_2;
} iv_mtinfo;

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
    EVT_POINTERDRAG = 44
};

enum { KEY_MENU = 23, KEY_PREV = 24, KEY_NEXT = 25 };

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

/* Optional: not every firmware has them, so the program looks them up with dlsym. */
typedef irect (*GetMenuRect_fn)(imenu *menu);
typedef iv_mtinfo *(*GetTouchInfo_fn)(void);
/* The whole panel refreshed fully, clearing the traces partial updates leave. */
typedef void (*FullUpdate_fn)(void);

#ifdef __cplusplus
}
#endif

#endif
