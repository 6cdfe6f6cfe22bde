# The help pages, contents page first. Listed by hand: the build tree's copy
# and the installed folder hold exactly these.
set(JW_HELP_FILES
  index.html
  start.html
  main-window.html
  mini-window.html
  pages.html
  formatting.html
  spelling-links.html
  file-print.html
  file-save.html
  file-save-as.html
  file-exit.html
  edit-undo-copy-paste.html
  edit-search.html
  edit-find-next.html
  edit-add-tab.html
  edit-remove-tab.html
  edit-rename-tab.html
  edit-page-history.html
  edit-hide-on-minimize.html
  help-about.html
  help-topics.html
  hotkey.html
  shortcuts.html
  settings.html
)
# Pictures the pages show (drawn at twice the size they are shown, for HiDPI
# screens), copied and installed beside them.
set(JW_HELP_IMAGES
  find-all.png
  page-history.png
)
