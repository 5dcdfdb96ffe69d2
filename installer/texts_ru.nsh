; Russian texts of the installer beyond the standard Modern UI ones.
LangString VxNeedsWindows10 ${LANG_RUSSIAN} "Vantorix работает только в Windows 10 и 11."
LangString VxFilesInUse ${LANG_RUSSIAN} "Не удалось удалить файлы — закройте Vantorix и запустите удаление ещё раз:$\r$\n"
