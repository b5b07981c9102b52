// The file dialog as a modal toolkit window. It browses by keeping its own directory name, so the
// process's working directory is never changed by browsing; it is still saved and restored in
// case a caller's callback changes it meanwhile.
#include "toolkit/widgets/uxfiledialog.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "toolkit/widgets/uxbutton.h"
#include "toolkit/core/uxcfgstr_kinds.h"
#include "toolkit/widgets/uxlineinput.h"
#include "toolkit/widgets/uxlistbox.h"
#include "toolkit/automation/uxscript.h"
#include "toolkit/core/uxwindow.h"

namespace {

struct FileDialog {
    uxFileDialogProps props;
    std::string dir;       // directory shown, absolute, without trailing slash (except "/")
    std::string pattern;   // typed pattern replacing the chosen filter, empty for none
    std::vector<std::string> dirs, files;
    uxWindow win;
    uxLabel dir_caption, dir_label, name_caption, type_caption, status;
    uxListBox dir_list, file_list;
    uxLineInput name;
    uxComboBox type;
    uxButton ok, cancel;
};

FileDialog* active = nullptr;

// ---- paths ------------------------------------------------------------------------------------

void to_forward_slashes(std::string* s) { std::replace(s->begin(), s->end(), '\\', '/'); }

bool is_directory(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool is_file(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::string join(const std::string& dir, const std::string& name) {
    if (!name.empty() && name[0] == '/') return name;
    if (dir.empty() || dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

// Canonical absolute form of an existing directory, or an empty string.
std::string canonical_dir(const std::string& path) {
    char* real = realpath(path.c_str(), nullptr);
    if (!real) return "";
    std::string out = real;
    std::free(real);
    return is_directory(out) ? out : "";
}

std::string working_directory() {
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) ? buffer : ".";
}

// The part after the last slash.
std::string last_component(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string parent_of(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// ---- filters ----------------------------------------------------------------------------------

// True when `name` matches one of the ';'-separated patterns, case-insensitively. "*.*" also
// matches names without a dot, as users of such patterns expect.
bool matches(const std::string& patterns, const std::string& name) {
    if (patterns.empty()) return true;
    size_t start = 0;
    while (start <= patterns.size()) {
        size_t end = patterns.find(';', start);
        if (end == std::string::npos) end = patterns.size();
        std::string p = patterns.substr(start, end - start);
        p.erase(std::remove(p.begin(), p.end(), ' '), p.end());
        if (p == "*.*") p = "*";
        if (!p.empty() && fnmatch(p.c_str(), name.c_str(), FNM_CASEFOLD) == 0) return true;
        start = end + 1;
    }
    return false;
}

std::string current_patterns(const FileDialog* d) {
    if (!d->pattern.empty()) return d->pattern;
    int k = uxcombobox_selected(&d->type);
    if (k < 0 || k >= d->props.filter_count) return "";
    return d->props.filter_pattern[k];
}

bool name_less(const std::string& a, const std::string& b) {
    return strcasecmp(a.c_str(), b.c_str()) < 0;
}

// Reads the shown directory into both lists.
void fill_lists(FileDialog* d) {
    d->dirs.clear();
    d->files.clear();
    std::string patterns = current_patterns(d);
    if (DIR* dp = opendir(d->dir.c_str())) {
        while (dirent* e = readdir(dp)) {
            std::string n = e->d_name;
            if (n.empty() || n[0] == '.') continue;  // ".", ".." and hidden entries
            std::string full = join(d->dir, n);
            if (is_directory(full)) d->dirs.push_back(n);
            else if (matches(patterns, n)) d->files.push_back(n);
        }
        closedir(dp);
    }
    std::sort(d->dirs.begin(), d->dirs.end(), name_less);
    std::sort(d->files.begin(), d->files.end(), name_less);
    if (d->dir != "/") d->dirs.insert(d->dirs.begin(), "..");

    uxlistbox_clear(&d->dir_list);
    for (const std::string& n : d->dirs) uxlistbox_add(&d->dir_list, "%s", n.c_str());
    uxlistbox_show(&d->dir_list);
    uxlistbox_clear(&d->file_list);
    for (const std::string& n : d->files) uxlistbox_add(&d->file_list, "%s", n.c_str());
    uxlistbox_show(&d->file_list);
    uxlabel_set_text(&d->dir_label, d->dir.c_str());
}

void set_status(FileDialog* d, const char* format, const std::string& name) {
    char text[UXFILEDIALOG_MAX_NAME + 256];
    std::snprintf(text, sizeof text, format, name.c_str());
    uxlabel_set_text(&d->status, text);
}

void enter_directory(FileDialog* d, const std::string& path) {
    std::string real = canonical_dir(path);
    if (real.empty()) {
        set_status(d, "Der Ordner \"%s\" existiert nicht.", path);
        return;
    }
    d->dir = real;
    uxlabel_set_text(&d->status, "");
    fill_lists(d);
}

// ---- the replace question ---------------------------------------------------------------------

bool ask_replace(const std::string& path) {
    uxContainer* previous = uxcontainer_current();
    uxWindow win;
    // Given as an argument: the property string's own '%' rule leaves argument texts alone.
    uxwindow_create(&win, "%s", "Speichern unter,x=50%,y=50%,xs=420,ys=150,noquit,modal");
    uxLabel text;
    uxlabel_create(&text, "-,x=10,y=15,xs=400");
    char message[UXFILEDIALOG_MAX_NAME + 128];
    std::snprintf(message, sizeof message, "%s existiert bereits. Ersetzen?",
                  last_component(path).c_str());
    uxlabel_set_text(&text, message);
    uxButton yes, no;
    uxbutton_create(&yes, "&Ja,x=100,y=90,xs=100");
    uxbutton_create(&no, "&Nein,x=220,y=90,xs=100,default");
    uxwidget_focus(&no.base);
    int id = uxWaitForEvents(3, uxbutton_id(&yes), uxbutton_id(&no), uxwindow_close_id(&win));
    bool replace = id != 0 && id == uxbutton_id(&yes);
    uxbutton_destroy(&no);
    uxbutton_destroy(&yes);
    uxlabel_destroy(&text);
    uxwindow_destroy(&win);
    uxcontainer_set_current(previous);
    return replace;
}

// ---- confirming -------------------------------------------------------------------------------

std::string trimmed(const char* text) {
    std::string s = text ? text : "";
    size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
    return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

// Checks the typed name. True with the full path in `result` when the dialog may close.
bool confirm(FileDialog* d, char* result, int size) {
    std::string name = trimmed(uxlineinput_text(&d->name));
    if (name.empty()) {
        const char* row = uxlistbox_row(&d->file_list, uxlistbox_selected(&d->file_list));
        if (!row) {
            uxlabel_set_text(&d->status, "Bitte einen Dateinamen eingeben.");
            return false;
        }
        name = row;
    }
    to_forward_slashes(&name);
    if (name.find_first_of("*?") != std::string::npos) {
        // A typed pattern filters the list (in the directory it names, if any).
        std::string where = name.find('/') == std::string::npos ? "" : parent_of(join(d->dir, name));
        d->pattern = last_component(name);
        uxlineinput_set_text(&d->name, "");
        if (!where.empty()) enter_directory(d, where);
        else fill_lists(d);
        return false;
    }
    std::string full = join(d->dir, name);
    if (is_directory(full)) {
        uxlineinput_set_text(&d->name, "");
        enter_directory(d, full);
        return false;
    }
    std::string base = last_component(full);
    const char* ext = d->props.defaultext;
    while (*ext == '.') ++ext;
    if (*ext && base.find('.') == std::string::npos) full += std::string(".") + ext;
    if ((int)full.size() >= size) {
        set_status(d, "Der Dateiname ist zu lang: %s", base);
        return false;
    }
    if (!is_directory(parent_of(full))) {
        set_status(d, "Der Ordner \"%s\" existiert nicht.", parent_of(full));
        return false;
    }
    if (!d->props.save && !is_file(full)) {
        set_status(d, "Die Datei \"%s\" existiert nicht.", last_component(full));
        return false;
    }
    if (d->props.save && is_directory(full)) return false;
    if (d->props.save && is_file(full) && !ask_replace(full)) return false;
    std::snprintf(result, size, "%s", full.c_str());
    return true;
}

// The automation's `file PATH` / `file cancel`: types the name and confirms, or cancels.
bool answer(const char* path) {
    if (!active) return false;
    if (!path) {
        uxPostEvent(uxbutton_id(&active->cancel));
        return true;
    }
    uxlineinput_set_text(&active->name, path);
    uxPostEvent(uxbutton_id(&active->ok));
    return true;
}

// Replaces commas (token separators of the property strings) in shown texts.
std::string without_commas(const char* text) {
    std::string s = text;
    std::replace(s.begin(), s.end(), ',', ' ');
    std::replace(s.begin(), s.end(), '|', ' ');
    return s;
}

void build(FileDialog* d) {
    const uxFileDialogProps& p = d->props;
    std::string title = without_commas(p.title[0] ? p.title : p.save ? "Speichern unter" : "\xd6""ffnen");
    std::string props = title + ",x=50%,y=50%,xs=560,ys=440,noquit,modal";
    uxwindow_create(&d->win, "%s", props.c_str());
    uxlabel_create(&d->dir_caption, "Ordner:,x=10,y=8");
    uxlabel_create(&d->dir_label, "-,x=80,y=8,xs=470");
    uxlistbox_create(&d->dir_list, "x=10,y=40,xs=200,ys=240");
    uxlistbox_create(&d->file_list, "x=220,y=40,xs=330,ys=240");
    uxlabel_create(&d->name_caption, "Dateiname:,x=10,y=292");
    uxlineinput_create(&d->name, "x=110,y=292,xs=440,maxlen=%d,keepfocus", (int)UXFILEDIALOG_MAX_NAME);
    uxlabel_create(&d->type_caption, "Dateityp:,x=10,y=328");
    std::string entries;
    for (int k = 0; k < p.filter_count; ++k) {
        if (k) entries += "|";
        entries += without_commas(p.filter_description[k]);
    }
    if (p.filter_count == 0) entries = "*.*";
    uxcombobox_create(&d->type, "x=110,y=328,xs=440,entries=%s", entries.c_str());
    uxcombobox_select(&d->type, 0);
    uxlabel_create(&d->status, "-,x=10,y=364,xs=540");
    uxlabel_set_text(&d->status, "");
    uxbutton_create(&d->ok, "OK,x=330,y=398,xs=100,default");
    uxbutton_create(&d->cancel, "Abbrechen,x=440,y=398,xs=110");
    uxwidget_focus(&d->name.base);
}

void tear_down(FileDialog* d) {
    uxbutton_destroy(&d->cancel);
    uxbutton_destroy(&d->ok);
    uxlabel_destroy(&d->status);
    uxcombobox_destroy(&d->type);
    uxlabel_destroy(&d->type_caption);
    uxlineinput_destroy(&d->name);
    uxlabel_destroy(&d->name_caption);
    uxlistbox_destroy(&d->file_list);
    uxlistbox_destroy(&d->dir_list);
    uxlabel_destroy(&d->dir_label);
    uxlabel_destroy(&d->dir_caption);
    uxwindow_destroy(&d->win);
}

// Runs the dialog until it is confirmed with an acceptable name or cancelled.
bool run(FileDialog* d, char* result, int size) {
    for (;;) {
        int ids[] = {uxbutton_id(&d->ok), uxbutton_id(&d->cancel), uxwindow_close_id(&d->win),
                     d->dir_list.base.id, d->file_list.base.id, d->type.base.id};
        int id = uxWaitForEventList(6, ids);
        // Abbrechen answers "no file"; Escape or the close box cancel the work that asked.
        if (id != 0 && id == ids[2]) uxevent_cancel(d->win.title);
        if (id == 0 || id == ids[1] || id == ids[2]) return false;
        if (id == ids[0]) {
            if (confirm(d, result, size)) return true;
        } else if (id == ids[3]) {
            const char* row = uxlistbox_row(&d->dir_list, uxlistbox_selected(&d->dir_list));
            if (row) enter_directory(d, join(d->dir, row));
        } else if (id == ids[4]) {
            const char* row = uxlistbox_row(&d->file_list, uxlistbox_selected(&d->file_list));
            if (row) {
                uxlineinput_set_text(&d->name, row);
                if (confirm(d, result, size)) return true;
            }
        } else if (id == ids[5]) {
            d->pattern.clear();
            fill_lists(d);
        }
    }
}

}  // namespace

bool uxfiledialog(char* result, int size, const char* format, ...) {
    if (!result || size <= 0) return false;
    result[0] = 0;
    va_list ap;
    va_start(ap, format);
    char* text = uxcfgstr_vformat(format ? format : "", ap);
    va_end(ap);
    char** tokens = uxcfgstr_split(text);
    delete[] text;

    FileDialog* d = new FileDialog;
    uxcfgstr_filedialog(tokens, 0, &d->props);
    uxcfgstr_free(tokens);

    std::string saved_cwd = working_directory();
    std::string start = d->props.dir;
    to_forward_slashes(&start);
    d->dir = canonical_dir(start.empty() ? saved_cwd : join(saved_cwd, start));
    if (d->dir.empty()) d->dir = canonical_dir(saved_cwd);
    if (d->dir.empty()) d->dir = saved_cwd;

    uxContainer* previous_container = uxcontainer_current();
    FileDialog* previous_active = active;
    bool (*previous_hook)(const char*) = uxscript_hooks.file_dialog_answer;
    uxevent_hold_callbacks(true);
    build(d);
    fill_lists(d);
    active = d;
    uxscript_hooks.file_dialog_answer = answer;

    bool chosen = run(d, result, size);

    uxscript_hooks.file_dialog_answer = previous_hook;
    active = previous_active;
    tear_down(d);
    uxevent_hold_callbacks(false);
    uxcontainer_set_current(previous_container);
    if (chdir(saved_cwd.c_str()) != 0) std::printf("uxfiledialog: cannot return to %s\n", saved_cwd.c_str());
    delete d;

    if (!chosen) {
        result[0] = 0;
        return false;
    }
    for (char* p = result; *p; ++p)
        if (*p == '\\') *p = '/';
    return true;
}

bool uxfiledialog_is_open() { return active != nullptr; }
