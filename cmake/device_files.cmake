# The shipped data files and where each goes in the reader's /mnt/ext1 tree,
# as "source under data/|place under /mnt/ext1", for the desktop sandbox and
# the device package alike.
set(TARN_DEVICE_FILES
    "tarn.cfg|system/config/tarn.cfg"
    "tarn.kbd|system/share/cobble/tarn.kbd"
    "vim/tarn.vim|system/share/vim/etc/vimfiles/plugin/tarn.vim")
